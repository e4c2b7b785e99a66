// What is spoken for a verb form: its spellings one by one, each as the learner reads it
// and, where the shipped pronunciation table knows better than the engine, as phonemes.
#pragma once

#include <string>
#include <vector>

enum class SpeechAccent { British, American };

// One word to say. m_strText is UTF-8. The phoneme fields are empty unless the
// pronunciation table overrides how the engine would read the word: m_strEspeak in
// espeak-ng's phoneme mnemonics (spoken as "[[...]]"), m_strSapi in the SAPI phone set
// (a <pron sym="..."> hint).
struct SpokenWord
{
    std::string m_strText;
    std::string m_strEspeak;
    std::string m_strSapi;
};

// The words for a form as the verb data holds it (Latin-1, accent escapes allowed): a
// list "/learnt /learned" gives one word per spelling, in its order; blanks inside a
// spelling stay. An empty form gives no words.
std::vector<SpokenWord> WordsToSay(const std::string& strForm, SpeechAccent accent);
