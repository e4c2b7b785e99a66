// What the program makes of a verb list the user chose, before a lesson reads it: refused,
// with a reason; in need of the user's word, with the findings; or fine as it is.
#pragma once

#include "checker/VerbListChecker.h"

#include <cstdint>
#include <string>
#include <vector>

// Larger files are refused unread: a verb list is a few kilobytes.
constexpr std::uintmax_t kLargestChosenList = 4 * 1024 * 1024;

enum class ChosenListVerdict
{
    Refused, // no question at all, or not a file a lesson can read
    Doubtful, // warnings or errors: the user decides
    Clean
};

struct ChosenListCheck
{
    ChosenListVerdict m_nVerdict = ChosenListVerdict::Refused;
    std::string m_strText; // UTF-8: why it was refused, or the findings
};

// strName is what the texts call the list (its file name, for the user), in UTF-8; a byte
// that is none is shown as \xNN.
ChosenListCheck CheckChosenList(const std::string& strPath, const std::string& strName);

// Why no lesson can read the file ("is a folder, not a verb list."); empty when one can.
std::string UnreadableReason(const std::string& strPath);

// The warnings and errors, one line each ("Line 12: warning: ..."), at most a dozen, worded
// for the window (Finding::WindowText); notes are left out. Empty when there are none.
std::string FindingsText(const std::vector<Finding>& findings);
