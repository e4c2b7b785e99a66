// How the bytes of a verb list are taken: as Latin-1, the program's own text, or as
// UTF-8 converted to Latin-1. Knows nothing of files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class ListEncoding
{
    Latin1,
    Utf8
};

// Utf8 when the bytes are valid UTF-8 and hold at least one byte above 0x7F.
// Real Latin-1 text is practically never valid UTF-8: an accented letter would have to
// be followed by one or two bytes of 0x80..0xBF, which are no letters.
ListEncoding DetectListEncoding(std::string_view bytes);

// UTF-8 to Latin-1; a character beyond U+00FF becomes '?'. Returns how many were replaced.
// A byte that starts no valid sequence (see DecodeUtf8) becomes '?' too, and counts.
std::size_t Utf8ToLatin1(std::string_view utf8, std::string& latin1);

// Latin-1, the program's own text, to UTF-8.
std::string Latin1ToUtf8(const std::string& strLatin1);

// Bytes from outside (a path, a system's message) made valid UTF-8 to be shown: a byte
// that is no part of UTF-8 is taken as the Latin-1 it most likely is.
std::string ReadableText(std::string_view bytes);

// The character at the start of a non-empty text and the length of its sequence, 1 to 4;
// 0 when the bytes there are no valid UTF-8 (overlong, a surrogate, beyond U+10FFFF,
// cut short).
std::size_t DecodeUtf8(std::string_view bytes, char32_t& ch);

// The UTF-8 byte-order mark, dropped from the start of a list whatever its encoding.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
