#include "speech/SpokenWords.h"

#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

#include <cstring>

namespace
{

constexpr unsigned kAnyForm = 7;
constexpr unsigned kPastForms = 1u << PastTense | 1u << PastParticiple;

// The forms of the bundled lists that espeak-ng says wrong when they stand alone, each
// in the verb's own sense. espeak-ng's phoneme mnemonics per accent; SAPI phones of the
// American set, which the British voices take too. An empty field keeps the engine's own
// reading. Checked against a dictionary's transcriptions by the speech tests.
struct Pronunciation
{
    const char* m_pszSpelling;
    unsigned m_nForms;
    const char* m_pszEspeakBritish;
    const char* m_pszEspeakAmerican;
    const char* m_pszSapi;
};

const Pronunciation kPronunciations[] = {
    {"bereave", kAnyForm, "bI2r'i:v", "bI#r'i:v", "b ih r iy 1 v"},
    {"bereaved", kAnyForm, "bI2r'i:vd", "bI#r'i:vd", "b ih r iy 1 v d"},
    {"dove", kAnyForm, "d'oUv", "d'oUv", "d ow 1 v"},
    {"forbear", kAnyForm, "fo@b'e@", "fo@b'e@", "f ao r b eh 1 r"},
    {"forbore", kAnyForm, "fo@b'o@", "fo@b'o@", "f ao r b ao 1 r"},
    {"forborne", kAnyForm, "fo@b'o@n", "fo@b'o@n", "f ao r b ao 1 r n"},
    {"foresaw", kAnyForm, "fo@s'O:", "fo@s'O:", "f ao r s ao 1"},
    {"forgo", kAnyForm, "fo@g'oU", "fo@g'oU", "f ao r g ow 1"},
    {"forgone", kAnyForm, "fo@g'0n", "fo@g'O2n", "f ao r g ao 1 n"},
    {"forwent", kAnyForm, "fo@w'Ent", "fo@w'Ent", "f ao r w eh 1 n t"},
    {"gainsaid", kAnyForm, "g,eIns'Ed", "g,eIns'Ed", "g ey 2 n s eh 1 d"},
    {"gainsay", kAnyForm, "g,eIns'eI", "g,eIns'eI", "g ey 2 n s ey 1"},
    {"read", kPastForms, "r'Ed", "r'Ed", "r eh 1 d"},
    {"shone", kAnyForm, "", "S'oUn", "sh ow 1 n"},
    {"tear", kAnyForm, "t'e@", "t'e@", "t eh 1 r"},
    {"wind", kAnyForm, "w'aInd", "w'aInd", "w ay 1 n d"},
    {"wound", kAnyForm, "w'aUnd", "w'aUnd", "w aw 1 n d"},
};

SpokenWord Word(std::string strSpelling, SpeechAccent accent, VerbForm nForm)
{
    SpokenWord word{Latin1ToUtf8(strSpelling), {}, {}};
    for (const Pronunciation& entry : kPronunciations)
    {
        if (strSpelling != entry.m_pszSpelling || !(entry.m_nForms & 1u << nForm))
            continue;
        word.m_strEspeak = accent == SpeechAccent::American ? entry.m_pszEspeakAmerican
                                                            : entry.m_pszEspeakBritish;
        if (!word.m_strEspeak.empty())
            word.m_strSapi = entry.m_pszSapi;
        break;
    }
    return word;
}

} // namespace

std::vector<SpokenWord> WordsToSay(const std::string& strForm, SpeechAccent accent, VerbForm nForm)
{
    std::vector<SpokenWord> words;
    const std::string strText = NormaliseSpaces(ConvertAccents(strForm));
    std::size_t nStart = 0;
    while (nStart < strText.size())
    {
        std::size_t nEnd = strText.find('/', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        const std::string strSpelling = NormaliseSpaces(strText.substr(nStart, nEnd - nStart));
        if (!strSpelling.empty())
            words.push_back(Word(strSpelling, accent, nForm));
        nStart = nEnd + 1;
    }
    return words;
}
