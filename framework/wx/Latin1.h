// The text boundary between the engine's single-byte Latin-1 strings and the toolkit's,
// and between file names in the file system's encoding and the toolkit's strings.
#pragma once

#include <wx/string.h>

#include <string>

// Every byte becomes the character of the same code, so no input is rejected.
wxString FromLatin1(const std::string& strText);

// Characters above U+00FF have no byte and are dropped.
std::string ToLatin1(const wxString& str);

// File names go to the document in the file system's own encoding.
std::string ToLocalPath(const wxString& strPath);
wxString FromLocalPath(const std::string& strPath);
// The last part of the path, for captions and messages.
wxString FileNameOf(const std::string& strPath);
