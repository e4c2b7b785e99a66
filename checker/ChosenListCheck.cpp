#include "checker/ChosenListCheck.h"

#include "verbdata/RegularFile.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace
{

constexpr std::size_t kShownFindings = 12;

} // namespace

// Why a lesson could not read the file at all; empty when it can.
std::string UnreadableReason(const std::string& strPath)
{
    const RegularFile file(strPath);
    switch (file.GetKind())
    {
    case RegularFile::Kind::Unopened:
        return std::string("cannot be opened: ") + std::strerror(file.Error()) + ".";
    case RegularFile::Kind::Directory:
        return "is a folder, not a verb list.";
    case RegularFile::Kind::Other:
        return "is not a regular file (a pipe or a device, say), so it is not read.";
    case RegularFile::Kind::Regular:
        break;
    }
    std::error_code error;
    const std::uintmax_t nSize = std::filesystem::file_size(strPath, error);
    if (!error && nSize > kLargestChosenList)
        return "is too large for a verb list (" + std::to_string(nSize / (1024 * 1024)) + " MiB).";
    return std::string();
}

std::string FindingsText(const std::vector<Finding>& findings)
{
    std::string strText;
    std::size_t nShown = 0, nLeft = 0;
    for (const Finding& finding : findings)
    {
        if (finding.m_nKind == FindingKind::Note)
            continue;
        if (nShown == kShownFindings)
        {
            ++nLeft;
            continue;
        }
        ++nShown;
        if (finding.m_nLine > 0)
            strText += "Line " + std::to_string(finding.m_nLine) + ": ";
        strText += finding.m_nKind == FindingKind::Error ? "error: " : "warning: ";
        strText += finding.WindowText() + "\n";
    }
    if (nLeft > 0)
        strText += "... and " + std::to_string(nLeft) + " more.\n";
    return strText;
}

ChosenListCheck CheckChosenList(const std::string& strPath, const std::string& strName)
{
    const std::string strQuoted = "\"" + strName + "\" ";
    if (const std::string strReason = UnreadableReason(strPath); !strReason.empty())
        return {ChosenListVerdict::Refused, strQuoted + strReason};

    // Counted, not kept: the questions of a large list take far more memory than its text.
    const ListCheck check = CheckVerbListFile(strPath, AllFlags<GroupSet>(), AllFlags<DirectionSet>(), false);
    const std::string strFindings = FindingsText(check.m_findings);
    std::size_t nQuestions = 0;
    for (const std::size_t n : check.m_summary.m_nQuestions)
        nQuestions += n;
    if (nQuestions == 0)
        return {ChosenListVerdict::Refused,
                strQuoted + "gives no question at all, so it cannot be used." +
                    (strFindings.empty() ? "" : "\n\n" + strFindings)};
    if (!strFindings.empty())
        return {ChosenListVerdict::Doubtful, strFindings};
    return {ChosenListVerdict::Clean, std::string()};
}
