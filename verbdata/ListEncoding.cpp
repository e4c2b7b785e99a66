#include "verbdata/ListEncoding.h"

#include <algorithm>

std::size_t DecodeUtf8(std::string_view bytes, char32_t& ch)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char c = byte(0);
    if (c < 0x80)
    {
        ch = c;
        return 1;
    }
    if (c < 0xC2 || c > 0xF4)
        return 0; // a continuation byte, or a lead byte only overlong or too large sequences have
    const std::size_t nLength = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    ch = c & (0x7F >> nLength);
    if (bytes.size() < nLength)
        return 0;
    for (std::size_t i = 1; i < nLength; ++i)
    {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        ch = ch << 6 | (byte(i) & 0x3F);
    }
    if (ch < kSmallest[nLength] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return 0;
    return nLength;
}

ListEncoding DetectListEncoding(std::string_view bytes)
{
    bool bBeyondAscii = false;
    char32_t ch = 0;
    for (std::size_t i = 0; i < bytes.size();)
    {
        const std::size_t nLength = DecodeUtf8(bytes.substr(i), ch);
        if (nLength == 0)
            return ListEncoding::Latin1;
        bBeyondAscii = bBeyondAscii || nLength > 1;
        i += nLength;
    }
    return bBeyondAscii ? ListEncoding::Utf8 : ListEncoding::Latin1;
}

std::size_t Utf8ToLatin1(std::string_view utf8, std::string& latin1)
{
    latin1.clear();
    latin1.reserve(utf8.size());
    std::size_t nReplaced = 0;
    char32_t ch = 0;
    for (std::size_t i = 0; i < utf8.size();)
    {
        const std::size_t nLength = DecodeUtf8(utf8.substr(i), ch);
        const bool bFits = nLength > 0 && ch <= 0xFF;
        latin1 += bFits ? static_cast<char>(ch) : '?';
        nReplaced += !bFits;
        i += nLength > 0 ? nLength : 1;
    }
    return nReplaced;
}

std::string Latin1ToUtf8(const std::string& strLatin1)
{
    std::string strUtf8;
    strUtf8.reserve(strLatin1.size());
    for (const char c : strLatin1)
    {
        const auto ch = static_cast<unsigned char>(c);
        if (ch < 0x80)
            strUtf8 += c;
        else
        {
            strUtf8 += static_cast<char>(0xC0 | ch >> 6);
            strUtf8 += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
    return strUtf8;
}

std::string ReadableText(std::string_view bytes)
{
    std::string strText;
    char32_t ch = 0;
    for (std::size_t i = 0; i < bytes.size();)
    {
        const std::size_t nLength = DecodeUtf8(bytes.substr(i), ch);
        strText += nLength > 0 ? std::string(bytes.substr(i, nLength)) : Latin1ToUtf8(std::string(1, bytes[i]));
        i += std::max<std::size_t>(nLength, 1);
    }
    return strText;
}
