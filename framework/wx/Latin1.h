// The text boundary between the engine's single-byte Latin-1 strings and the toolkit's.
#pragma once

#include <wx/string.h>

#include <string>

// Every byte becomes the character of the same code, so no input is rejected.
wxString FromLatin1(const std::string& strText);

// Characters above U+00FF have no byte and are dropped.
std::string ToLatin1(const wxString& str);
