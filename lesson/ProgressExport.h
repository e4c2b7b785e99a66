// taldrin --export-progress: the review record of the list in use written as CSV, with no
// window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SettingsStore;

// The list in use is strList when given, else the one the settings remember, else the
// list the folders give. Writes the record for it, as the history at strHistory tells it
// at nNow, to strOut in one step (a file that is there is replaced, as every user file is).
// Empty on success, else why not, in words.
std::string ExportProgress(const std::string& strOut, const std::string& strList, SettingsStore& store,
                           const std::vector<std::string>& listFolders, const std::string& strHistory, std::int64_t nNow);
