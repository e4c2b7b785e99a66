// The text boundary between the engine's strings and the toolkit's: interface texts are
// UTF-8, the verb data single-byte Latin-1; and between file names in the file system's
// encoding and the toolkit's strings.
#pragma once

#include <wx/string.h>

#include <string>

// An interface text; the length is passed so that an embedded NUL does not cut it short.
// A text that is no valid UTF-8 is taken as Latin-1 rather than lost.
inline wxString WxText(const std::string& strUtf8)
{
    const wxString str = wxString::FromUTF8(strUtf8.data(), strUtf8.size());
    return str.empty() && !strUtf8.empty() ? wxString(strUtf8.data(), wxConvISO8859_1, strUtf8.size()) : str;
}
inline std::string Utf8Of(const wxString& str)
{
    return std::string(str.utf8_str());
}

// Verb data: every byte becomes the character of the same code, so no input is rejected.
wxString FromLatin1(const std::string& strText);

// Characters above U+00FF have no byte and are dropped.
std::string ToLatin1(const wxString& str);

// File names go to the document in the file system's own encoding.
std::string ToLocalPath(const wxString& strPath);
wxString FromLocalPath(const std::string& strPath);
// The last part of the path, for captions and messages.
wxString FileNameOf(const std::string& strPath);
