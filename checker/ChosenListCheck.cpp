#include "checker/ChosenListCheck.h"

#include "framework/Translation.h"
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
        // TRANSLATORS: these follow a verb list's name in quotes ("x.ver" is a folder...);
        // {1}: the system's reason.
        return FillIn(Tr("cannot be opened: {1}."), {std::strerror(file.Error())});
    case RegularFile::Kind::Directory:
        return Tr("is a folder, not a verb list.");
    case RegularFile::Kind::Other:
        return Tr("is not a regular file (a pipe or a device, say), so it is not read.");
    case RegularFile::Kind::Regular:
        break;
    }
    std::error_code error;
    const std::uintmax_t nSize = std::filesystem::file_size(strPath, error);
    if (!error && nSize > kLargestChosenList)
        return FillIn(Tr("is too large for a verb list ({1} MiB)."),
                      {std::to_string(nSize / (1024 * 1024))});
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
        const bool bError = finding.m_nKind == FindingKind::Error;
        if (finding.m_nLine > 0)
            // TRANSLATORS: a finding in the window: {1} a line of the list, {2} the finding.
            strText += FillIn(bError ? Tr("Line {1}: error: {2}") : Tr("Line {1}: warning: {2}"),
                              {std::to_string(finding.m_nLine), finding.WindowText()});
        else
            strText += FillIn(bError ? Tr("error: {1}") : Tr("warning: {1}"), {finding.WindowText()});
        strText += "\n";
    }
    if (nLeft > 0)
        strText += FillIn(TrN("... and {1} more.", "... and {1} more.", nLeft), {std::to_string(nLeft)}) + "\n";
    return strText;
}

ChosenListCheck CheckChosenList(const std::string& strPath, const std::string& strGivenName)
{
    const std::string strName = EscapedUtf8(strGivenName);
    // TRANSLATORS: {1}: a verb list's name; {2}: why it cannot be used.
    const std::string strNamed = Tr("\"{1}\" {2}");
    if (const std::string strReason = UnreadableReason(strPath); !strReason.empty())
        return {ChosenListVerdict::Refused, FillIn(strNamed, {strName, strReason})};

    // Counted, not kept: the questions of a large list take far more memory than its text.
    const ListCheck check = CheckVerbListFile(strPath, AllFlags<GroupSet>(), AllFlags<DirectionSet>(), false);
    const std::string strFindings = FindingsText(check.m_findings);
    std::size_t nQuestions = 0;
    for (const std::size_t n : check.m_summary.m_nQuestions)
        nQuestions += n;
    if (nQuestions == 0)
        return {ChosenListVerdict::Refused,
                FillIn(strNamed, {strName, Tr("gives no question at all, so it cannot be used.")}) +
                    (strFindings.empty() ? "" : "\n\n" + strFindings)};
    if (!strFindings.empty())
        return {ChosenListVerdict::Doubtful, strFindings};
    return {ChosenListVerdict::Clean, std::string()};
}
