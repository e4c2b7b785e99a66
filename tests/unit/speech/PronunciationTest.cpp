// Every form of the bundled lists in both voices, as espeak-ng says it after the
// pronunciation table, against the reviewed reference in tests/data. Links libespeak-ng
// itself (the program only opens it when it first speaks); needs no sound device.
#include "framework/SpeechInput.h"
#include "speech/SpokenWords.h"
#include "verbdata/VerbListReader.h"

#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace
{

struct FormsSeen : VerbListObserver
{
    std::vector<std::pair<std::string, VerbForm>> m_forms;
    void OnHeaderEnd(std::size_t, std::size_t) override {}
    void OnEnd(VerbListEnd, std::size_t, std::size_t) override {}
    void OnRecord(const VerbRecordSeen& record) override
    {
        for (int n = 0; n < kVerbFormCount; ++n)
            m_forms.emplace_back(record.m_forms[n], static_cast<VerbForm>(n));
    }
};

// Phonemes from the table as espeak-ng speaks them; other words by text-to-phoneme.
std::string EspeakPhonemes(const SpokenWord& word)
{
    const void* pText = word.m_strText.c_str();
    if (word.m_strEspeak.empty())
        return espeak_TextToPhonemes(&pText, espeakCHARS_UTF8, 0);
    char* pszTrace = nullptr;
    std::size_t nSize = 0;
    FILE* pTrace = open_memstream(&pszTrace, &nSize);
    espeak_SetPhonemeTrace(espeakPHONEMES_SHOW, pTrace);
    const std::string strInput = EspeakInput({word});
    espeak_Synth(strInput.c_str(), strInput.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    espeak_SetPhonemeTrace(0, stderr);
    std::fclose(pTrace);
    std::string strPhonemes;
    std::istringstream(std::string(pszTrace, nSize)) >> strPhonemes;
    std::free(pszTrace);
    return strPhonemes;
}

} // namespace

TEST(Pronunciation, EveryFormOfTheBundledListsIsSaidAsTheDictionarySays)
{
    ASSERT_GT(espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT), 0);
    espeak_SetSynthCallback([](short*, int, espeak_EVENT*) { return 0; });
    std::map<std::string, std::string> reference[2]; // "spelling" or "spelling@form", by accent
    std::ifstream in(TALDRIN_SOURCE_DIR "/tests/data/pronunciations.ref");
    for (std::string strLine, strKey, strBritish, strAmerican; std::getline(in, strLine);)
        if (strLine[0] != '#' && std::istringstream(strLine) >> strKey >> strBritish >> strAmerican)
            reference[0][strKey] = strBritish, reference[1][strKey] = strAmerican == "=" ? strBritish : strAmerican;
    FormsSeen seen;
    for (const char* pszList : {"/data/irregu.ver", "/data/irrtes.ver"})
    {
        std::ifstream list(std::string(TALDRIN_SOURCE_DIR) + pszList, std::ios::binary);
        QuestionPool pool;
        ASSERT_EQ(ReadVerbList(list, true, DirectionSet(), GroupSet(), pool, &seen), VerbListEnd::EndOfFile);
    }
    ASSERT_GT(seen.m_forms.size(), 700u);

    for (const SpeechAccent accent : {SpeechAccent::British, SpeechAccent::American})
    {
        espeak_VOICE voice{};
        voice.languages = EspeakVoice(accent);
        ASSERT_EQ(espeak_SetVoiceByProperties(&voice), EE_OK);
        const auto& expected = reference[accent == SpeechAccent::American];
        std::string strWrong;
        for (const auto& [strForm, nForm] : seen.m_forms)
            for (const SpokenWord& word : WordsToSay(strForm, accent, nForm))
            {
                const std::string strKey = word.m_strText + "@" + std::to_string(nForm);
                auto it = expected.find(strKey);
                it = it != expected.end() ? it : expected.find(word.m_strText);
                const std::string strSaid = EspeakPhonemes(word);
                if (it == expected.end() || strSaid != it->second)
                    strWrong += strKey + ": " + strSaid + " instead of " + (it == expected.end() ? "?" : it->second) + "\n";
            }
        EXPECT_EQ(strWrong, "") << voice.languages;
    }
}
