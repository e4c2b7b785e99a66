// The folders of the program's own files: the signed-in user's, and those installed with
// the program. Linux places them by the XDG rules, Windows in its own places.
#pragma once

#include <string>

// Linux: the folder of the user's files of one kind, by one rule for settings and data:
// pszXdgHome when it is an absolute path, else <home>/<pszUnderHome>, the home being $HOME
// when absolute, else the one the password database gives the account. Empty without
// either, so that nothing of the user's lands in the working directory.
std::string XdgUserFolder(const char* pszXdgHome, const char* pszHome, const char* pszUnderHome);

// Linux: XdgUserFolder($XDG_DATA_HOME, $HOME, .local/share)/taldrin; empty without a home.
// Windows: Taldrin in the user's (roaming) application data folder; the arguments are not
// used there. Verb lists, the help book and the history are looked for there.
std::string UserDataFolder(const char* pszDataHome, const char* pszHome);

// Where the lists installed with the program are, given the program's folder: Linux,
// share/taldrin beside its bin folder; Windows, the program's folder itself.
std::string InstalledDataFolder(const std::string& strProgramDir);
