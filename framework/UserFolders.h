// The signed-in user's folders for the program's own files, as the XDG rules place them.
#pragma once

#include <string>

// $XDG_DATA_HOME/taldrin when that variable is an absolute path, else
// $HOME/.local/share/taldrin; empty without either. Verb lists and the help book are
// looked for there.
std::string UserDataFolder(const char* pszDataHome, const char* pszHome);
