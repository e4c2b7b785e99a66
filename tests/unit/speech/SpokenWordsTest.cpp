#include "speech/SpokenWords.h"

#include <gtest/gtest.h>

TEST(SpokenWords, EachSpellingIsOneWordWithTheTablesPhonemesForItsFormAndAccent)
{
    constexpr auto GB = SpeechAccent::British;
    constexpr auto US = SpeechAccent::American;
    const struct
    {
        const char* m_pszForm;
        SpeechAccent m_accent;
        VerbForm m_nForm;
        const char* m_pszWords; // text [espeak-ng] <SAPI>, each
    } rows[] = {
        {"/learnt /learned", GB, PastTense, "learnt [] <> learned [] <> "},
        {" /  was/were  ", US, PastTense, "was [] <> were [] <> "},
        {"/", GB, Infinitive, ""},
        // Said differently as the Infinitive and as the past forms.
        {"read", GB, Infinitive, "read [] <> "},
        {"read", GB, PastTense, "read [r'Ed] <r eh 1 d> "},
        {"read", US, PastParticiple, "read [r'Ed] <r eh 1 d> "},
        {"/dived /dove", US, PastTense, "dived [] <> dove [d'oUv] <d ow 1 v> "},
        {"wind", GB, Infinitive, "wind [w'aInd] <w ay 1 n d> "},
        // Only the American voice says it wrong.
        {"shone", GB, PastTense, "shone [] <> "},
        {"shone", US, PastTense, "shone [S'oUn] <sh ow 1 n> "},
        {"bereave", US, Infinitive, "bereave [bI#r'i:v] <b ih r iy 1 v> "},
        // A teacher's form the table does not know, an accent escape, blanks inside.
        {"Tear", GB, Infinitive, "Tear [] <> "},
        {"cr\\'eped", GB, PastTense, "cr\xC3\xA9ped [] <> "},
        {"set  off", GB, Infinitive, "set off [] <> "},
    };
    for (const auto& row : rows)
    {
        std::string strWords;
        for (const SpokenWord& word : WordsToSay(row.m_pszForm, row.m_accent, row.m_nForm))
            strWords += word.m_strText + " [" + word.m_strEspeak + "] <" + word.m_strSapi + "> ";
        EXPECT_EQ(strWords, row.m_pszWords) << row.m_pszForm << " " << row.m_nForm;
    }
}
