// The two verb list files and where they are looked for: the working directory first,
// then the user's data folder, then the lists installed with the program.
#pragma once

#include <optional>
#include <string>
#include <vector>

constexpr const char* kMainVerbList = "irregu.ver";
constexpr const char* kAlternativeVerbList = "irrtes.ver";

// Whether the file can be opened for reading as a verb list: only a regular file can.
// A directory cannot, and a pipe is refused because opening it waits for a writer.
bool CanOpenVerbList(const char* pszName);

// The folders lists are looked for in, in order: the working directory ("."), the user's
// data folder (UserDataFolder: on Linux $XDG_DATA_HOME/taldrin, or
// $HOME/.local/share/taldrin when that variable is unset or not an absolute path) and the
// lists installed with the program (InstalledDataFolder: on Linux share/taldrin beside its
// bin folder). Without a home or a program folder that entry is left out.
std::vector<std::string> VerbListFolders(const char* pszDataHome, const char* pszHome,
                                         const std::string& strProgramDir);

struct VerbListLocation
{
    std::string m_strPath; // absolute
    bool m_bAlternative = false;
};

// The list to read: the first folder holding either list decides, and in it the main list
// wins when it can be opened. So lists in the working directory pass the file tests as
// they always did, and a lone alternative list there is not overruled by a main list
// installed elsewhere. Nothing when no folder holds one.
std::optional<VerbListLocation> FindVerbList(const std::vector<std::string>& folders);

// A list the user chose by its path: where it is, and whether it is read as the alternative
// list (by its name). Nothing when it cannot be opened as a verb list; it is not read here.
std::optional<VerbListLocation> LocateChosenList(const std::string& strPath);
