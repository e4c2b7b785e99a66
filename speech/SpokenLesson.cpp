#include "speech/SpokenLesson.h"

#include "framework/Languages.h"
#include "framework/SettingsStore.h"
#include "framework/UserFile.h"
#include "lesson/VespinDoc.h"
#include "speech/SpokenWords.h"
#include "verbdata/DirectionSet.h"

namespace
{

constexpr const char* kAfterVerdictKey = "SpeakAfterVerdict";
constexpr const char* kAccentKey = "SpeechAccent";
constexpr const char* kByEarKey = "LessonByEar";
constexpr const char* kAmerican = "American";

bool IsAsking(const CVespinDoc& doc)
{
    return doc.m_nCurrent < doc.m_pool.size() && !doc.m_bFinished;
}

class LoggedSpeaker : public Speaker
{
public:
    LoggedSpeaker(std::unique_ptr<Speaker> pInner, std::string strPath)
        : m_pInner(std::move(pInner)), m_strPath(std::move(strPath))
    {
    }
    std::string WhyUnavailable() const override { return m_pInner->WhyUnavailable(); }
    void Say(const std::vector<SpokenWord>& words, SpeechAccent accent) override
    {
        std::string strLine = accent == SpeechAccent::American ? "en-US\t" : "en-GB\t";
        for (std::size_t i = 0; i < words.size(); ++i)
            strLine += (i ? " / " : "") + words[i].m_strText;
        AppendUserFileLine(m_strPath, strLine);
        m_pInner->Say(words, accent);
    }
    void Stop() override { m_pInner->Stop(); }
    void Prepare(SpeechAccent accent) override { m_pInner->Prepare(accent); }
    void SetTroubleHandler(std::function<void(const std::string&)> fnTrouble) override
    {
        m_pInner->SetTroubleHandler(std::move(fnTrouble));
    }

private:
    std::unique_ptr<Speaker> m_pInner;
    std::string m_strPath;
};

} // namespace

SpeechSettings ReadSpeechSettings(SettingsStore& store)
{
    SpeechSettings settings;
    settings.m_bAfterVerdict = store.GetProfileInt(kLanguageSection, kAfterVerdictKey, 0) == 1;
    settings.m_bByEar = store.GetProfileInt(kLanguageSection, kByEarKey, 0) == 1;
    if (store.GetProfileString(kLanguageSection, kAccentKey, "") == kAmerican)
        settings.m_accent = SpeechAccent::American;
    return settings;
}

void WriteSpeechSettings(SettingsStore& store, const SpeechSettings& settings)
{
    store.WriteProfileInt(kLanguageSection, kAfterVerdictKey, settings.m_bAfterVerdict ? 1 : 0);
    store.WriteProfileString(kLanguageSection, kAccentKey,
                             settings.m_accent == SpeechAccent::American ? kAmerican : "British");
    store.WriteProfileInt(kLanguageSection, kByEarKey, settings.m_bByEar ? 1 : 0);
}

// Each form said as that form: "read" is said one way as an Infinitive, another as a Past Tense.
std::vector<SpokenWord> PromptToSay(const CVespinDoc& doc, SpeechAccent accent)
{
    if (!IsAsking(doc))
        return {};
    const Question& question = doc.m_pool[doc.m_nCurrent];
    const VerbForm nForm = question.m_nDirection < kDirectionCount ? kDirections[question.m_nDirection].PromptForm : Infinitive;
    return WordsToSay(question.GetPrompt(), accent, nForm);
}

std::vector<SpokenWord> AnswerToSay(const CVespinDoc& doc, SpeechAccent accent)
{
    if (!IsAsking(doc))
        return {};
    const Question& question = doc.m_pool[doc.m_nCurrent];
    return WordsToSay(question.GetExpected(), accent, question.m_nAskedForm);
}

void SpokenLesson::AfterAnswer(const CVespinDoc& doc)
{
    if (!doc.m_bShowingCorrection)
        OnQuestion(doc);
    else if (m_settings.m_bAfterVerdict)
        Say(AnswerToSay(doc, m_settings.m_accent));
}

void SpokenLesson::OnQuestion(const CVespinDoc& doc)
{
    if (m_settings.m_bByEar && !doc.m_bShowingCorrection)
        Say(PromptToSay(doc, m_settings.m_accent));
    // So that the first verdict is heard without waiting for the engine to load.
    else if (m_settings.m_bAfterVerdict && CanSpeak())
        m_speaker.Prepare(m_settings.m_accent);
}

void SpokenLesson::Repeat(const CVespinDoc& doc)
{
    Say(doc.m_bShowingCorrection ? AnswerToSay(doc, m_settings.m_accent) : PromptToSay(doc, m_settings.m_accent));
}

void SpokenLesson::Say(const std::vector<SpokenWord>& words)
{
    if (!words.empty() && CanSpeak())
        m_speaker.Say(words, m_settings.m_accent);
}

std::unique_ptr<Speaker> LoggingSpeaker(std::unique_ptr<Speaker> pInner, const std::string& strLogPath)
{
    return std::make_unique<LoggedSpeaker>(std::move(pInner), strLogPath);
}
