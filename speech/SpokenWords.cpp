#include "speech/SpokenWords.h"

#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

std::vector<SpokenWord> WordsToSay(const std::string& strForm, SpeechAccent /*accent*/)
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
            words.push_back({Latin1ToUtf8(strSpelling), {}, {}});
        nStart = nEnd + 1;
    }
    return words;
}
