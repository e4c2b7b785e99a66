// Every form of the bundled lists, in both voices, as espeak-ng says it after the
// pronunciation table, against the reviewed reference in tests/data. Links libespeak-ng
// itself (the program only opens it at the first utterance); needs no sound device.
#include "framework/SpeechInput.h"
#include "speech/SpokenWords.h"
#include "verbdata/VerbListReader.h"

#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

namespace
{

// "spelling" or "spelling@form" to the British and the American phonemes.
std::map<std::string, std::pair<std::string, std::string>> ReadReference(const std::string& strPath)
{
    std::map<std::string, std::pair<std::string, std::string>> reference;
    std::ifstream in(strPath);
    for (std::string strLine; std::getline(in, strLine);)
    {
        std::istringstream fields(strLine.substr(0, strLine.find(" # ")));
        std::string strKey, strBritish, strAmerican;
        if (strLine.empty() || strLine[0] == '#' || !(fields >> strKey >> strBritish >> strAmerican))
            continue;
        reference[strKey] = {strBritish, strAmerican == "=" ? strBritish : strAmerican};
    }
    return reference;
}

struct FormsSeen : VerbListObserver
{
    std::vector<std::pair<std::string, VerbForm>> m_forms;
    void OnHeaderEnd(std::size_t, std::size_t) override {}
    void OnEnd(VerbListEnd, std::size_t, std::size_t) override {}
    void OnRecord(const VerbRecordSeen& record) override
    {
        for (int nForm = 0; nForm < kVerbFormCount; ++nForm)
            m_forms.emplace_back(record.m_forms[nForm], static_cast<VerbForm>(nForm));
    }
};

int NoSound(short*, int, espeak_EVENT*) { return 0; }

// What espeak-ng makes of a word: its text-to-phoneme reading, or for phonemes from the
// table, the phonemes it speaks for them.
std::string EspeakPhonemes(const SpokenWord& word)
{
    if (word.m_strEspeak.empty())
    {
        const void* pText = word.m_strText.c_str();
        return espeak_TextToPhonemes(&pText, espeakCHARS_UTF8, 0);
    }
    char* pszTrace = nullptr;
    std::size_t nSize = 0;
    FILE* pTrace = open_memstream(&pszTrace, &nSize);
    espeak_SetPhonemeTrace(espeakPHONEMES_SHOW, pTrace);
    const std::string strInput = EspeakInput({word});
    espeak_Synth(strInput.c_str(), strInput.size() + 1, 0, POS_CHARACTER, 0,
        espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
    espeak_SetPhonemeTrace(0, stderr);
    std::fclose(pTrace);
    std::string strPhonemes(pszTrace, nSize);
    std::free(pszTrace);
    while (!strPhonemes.empty() && std::isspace(static_cast<unsigned char>(strPhonemes.back())))
        strPhonemes.pop_back();
    return strPhonemes;
}

} // namespace

TEST(Pronunciation, EveryFormOfTheBundledListsIsSaidAsTheDictionarySays)
{
    ASSERT_GT(espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT), 0);
    espeak_SetSynthCallback(&NoSound);
    const auto reference = ReadReference(TALDRIN_SOURCE_DIR "/tests/data/pronunciations.ref");
    FormsSeen seen;
    for (const char* pszList : {"/data/irregu.ver", "/data/irrtes.ver"})
    {
        std::ifstream in(std::string(TALDRIN_SOURCE_DIR) + pszList, std::ios::binary);
        QuestionPool pool;
        ASSERT_EQ(ReadVerbList(in, true, DirectionSet(), GroupSet(), pool, &seen), VerbListEnd::EndOfFile);
    }
    ASSERT_GT(seen.m_forms.size(), 700u);

    for (const SpeechAccent accent : {SpeechAccent::British, SpeechAccent::American})
    {
        espeak_VOICE voice{};
        voice.languages = EspeakVoice(accent);
        ASSERT_EQ(espeak_SetVoiceByProperties(&voice), EE_OK);
        std::string strWrong;
        for (const auto& [strForm, nForm] : seen.m_forms)
            for (const SpokenWord& word : WordsToSay(strForm, accent, nForm))
            {
                auto it = reference.find(word.m_strText + "@" + std::to_string(nForm));
                if (it == reference.end())
                    it = reference.find(word.m_strText);
                if (it == reference.end())
                {
                    strWrong += word.m_strText + ": not in the reference\n";
                    continue;
                }
                const std::string& strExpected =
                    accent == SpeechAccent::British ? it->second.first : it->second.second;
                const std::string strSaid = EspeakPhonemes(word);
                if (strSaid != strExpected)
                    strWrong += word.m_strText + "@" + std::to_string(nForm) + ": " + strSaid +
                        " instead of " + strExpected + "\n";
            }
        EXPECT_EQ(strWrong, "") << EspeakVoice(accent);
    }
}
