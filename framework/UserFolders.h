// The folders of the program's own files: the signed-in user's, and those installed with
// the program. Linux places them by the XDG rules, Windows in its own places.
#pragma once

#include <string>

// Linux: $XDG_DATA_HOME/taldrin when that variable is an absolute path, else
// $HOME/.local/share/taldrin; empty without either. Windows: Taldrin in the user's
// (roaming) application data folder; the arguments are not used there. Verb lists and
// the help book are looked for there.
std::string UserDataFolder(const char* pszDataHome, const char* pszHome);

// Where the lists installed with the program are, given the program's folder: Linux,
// share/taldrin beside its bin folder; Windows, the program's folder itself.
std::string InstalledDataFolder(const std::string& strProgramDir);
