// The editor's files: a verb list or a spreadsheet's table opened without waiting on pipes
// or devices, and the table saved under the rules for the user's files (mode and links
// kept, never a half-written file).
#pragma once

#include "editor/CsvFile.h"
#include "editor/VerbTable.h"

#include <cstdint>
#include <string>
#include <string_view>

// Larger files are refused unread.
constexpr std::uintmax_t kLargestListFile = 64 * 1024 * 1024;

enum class ListFileKind
{
    VerbList, // .ver, or text that starts like one
    Table     // CSV, TSV, a spreadsheet's text
};

// By the name (.ver, .csv, .tsv, .tab), else by the bytes: a first line beginning with
// '#' or a tab, comma or semicolon in none of the first lines makes a verb list.
ListFileKind KindOfListFile(const std::string& strPath, std::string_view bytes);

// The whole file; empty on success, else why not (for the user).
std::string ReadListFile(const std::string& strPath, std::string& strBytes);

// Writes WriteVerText(table) over the file (ReplaceUserFile) and marks the table saved;
// empty on success, else why not, with the table still modified.
std::string SaveVerbList(const std::string& strPath, VerbTable& table);

// WriteCsv(table) to the file, the same way.
std::string ExportCsv(const std::string& strPath, const VerbTable& table);
