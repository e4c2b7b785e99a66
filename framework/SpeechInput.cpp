#include "framework/SpeechInput.h"

std::string EspeakInput(const std::vector<SpokenWord>& words)
{
    std::string strInput;
    for (const SpokenWord& word : words)
    {
        if (!strInput.empty())
            strInput += ", ";
        if (!word.m_strEspeak.empty())
        {
            strInput += "[[" + word.m_strEspeak + "]]";
            continue;
        }
        // Brackets in a list's word would be read as phonemes.
        for (const char c : word.m_strText)
            if (c != '[' && c != ']')
                strInput += c;
    }
    return strInput;
}

const char* EspeakVoice(SpeechAccent accent)
{
    return accent == SpeechAccent::American ? "en-us" : "en-gb";
}

namespace
{

std::string XmlEscaped(const std::string& strText)
{
    std::string strEscaped;
    for (const char c : strText)
    {
        switch (c)
        {
        case '&': strEscaped += "&amp;"; break;
        case '<': strEscaped += "&lt;"; break;
        case '>': strEscaped += "&gt;"; break;
        case '"': strEscaped += "&quot;"; break;
        default: strEscaped += c;
        }
    }
    return strEscaped;
}

} // namespace

std::string SapiInput(const std::vector<SpokenWord>& words)
{
    std::string strInput;
    for (const SpokenWord& word : words)
    {
        if (!strInput.empty())
            strInput += ", ";
        if (word.m_strSapi.empty())
            strInput += XmlEscaped(word.m_strText);
        else
            strInput += "<pron sym=\"" + XmlEscaped(word.m_strSapi) + "\">" +
                XmlEscaped(word.m_strText) + "</pron>";
    }
    return strInput;
}

const wchar_t* SapiLanguage(SpeechAccent accent)
{
    return accent == SpeechAccent::American ? L"Language=409" : L"Language=809";
}
