// taldrin-check: the command line over VerbListChecker. Prints findings in the form editors
// jump to (FILE:LINE: error: ...) and a summary; the exit status says the worst.
#include "checker/VerbListChecker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const char kUsage[] =
    "Usage: taldrin-check [--groups TAGS] [--quiet] FILE...\n"
    "Checks Taldrin verb lists: says, line by line, what a lesson will make of each list,\n"
    "as FILE:LINE: error|warning|note: ..., then counts its verbs and questions.\n"
    "\n"
    "  --groups TAGS  count only these groups, e.g. --groups ess1,bas2\n"
    "                 (lit ess1 ess2 bas1 bas2 dop; default: all six)\n"
    "  --quiet        print errors only\n"
    "  --help         print this help\n"
    "\n"
    "Errors: reading stops early; a blank, extra or missing line puts the records after\n"
    "  it out of step; a record is never asked (an empty form, cut short by the end);\n"
    "  no header; a list saved as UTF-16.\n"
    "Warnings: an unknown group tag (asked whatever groups are chosen); a list as the\n"
    "  Infinitive; an answer a list never accepts; an unknown accent code; a character\n"
    "  no one can type or in the wrong encoding; the same verb twice.\n"
    "Notes: a list as the Past Tense or Past Participle and the directions it ends;\n"
    "  blanks the answer check ignores; blank lines that shift nothing.\n"
    "\n"
    "Exit status: 0 no errors, 1 errors found, 2 a file could not be read or bad usage.\n";

const char* KindName(FindingKind nKind)
{
    return nKind == FindingKind::Error     ? "error"
           : nKind == FindingKind::Warning ? "warning"
                                           : "note";
}

bool ParseGroups(const std::string& strTags, GroupSet& groups)
{
    groups = GroupSet();
    std::size_t nStart = 0;
    do
    {
        const std::size_t nComma = std::min(strTags.find(',', nStart), strTags.size());
        const int nGroup = FindGroup(strTags.substr(nStart, nComma - nStart));
        if (nGroup < 0)
            return false;
        groups.Set(static_cast<std::size_t>(nGroup), true);
        nStart = nComma + 1;
    } while (nStart <= strTags.size());
    return true;
}

void PrintSummary(const std::string& strPath, const ListCheck& check)
{
    const ListSummary& summary = check.m_summary;
    std::size_t nVerbs = summary.m_nOtherVerbs, nChosen = 0;
    std::string strGroups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        if (summary.m_groups.Get(k))
        {
            ++nChosen;
            nVerbs += summary.m_nVerbs[k];
            strGroups += std::string(strGroups.empty() ? "" : ", ") + kGroupTags[k] + " " +
                         std::to_string(summary.m_nVerbs[k]);
        }
    if (summary.m_nOtherVerbs > 0)
        strGroups += ", other tags " + std::to_string(summary.m_nOtherVerbs);
    std::printf("%s: %zu %s in a lesson %s (%s)\n", strPath.c_str(), nVerbs,
                nVerbs == 1 ? "verb" : "verbs",
                summary.m_bAlternativeFile ? "on the alternative list, which takes every group"
                : nChosen == kGroupCount   ? "with every group"
                                           : "with these groups",
                strGroups.c_str());
    std::printf("%s: %zu %s with all six directions:\n", strPath.c_str(), summary.m_pool.size(),
                summary.m_pool.size() == 1 ? "question" : "questions");
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        std::printf("  %-32s %5zu\n", DirectionName(k).c_str(), summary.m_nQuestions[k]);
    std::size_t nCount[3] = {};
    for (const Finding& finding : check.m_findings)
        ++nCount[static_cast<int>(finding.m_nKind)];
    std::printf("%s: %zu error(s), %zu warning(s), %zu note(s)\n", strPath.c_str(), nCount[2],
                nCount[1], nCount[0]);
}

} // namespace

int main(int argc, char** argv)
{
    GroupSet groups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, true);
    bool bQuiet = false;
    std::vector<std::string> files;
    bool bOptions = true;
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArg = argv[i];
        if (bOptions && strArg == "--help")
        {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (bOptions && strArg == "--quiet")
            bQuiet = true;
        else if (bOptions && (strArg == "--groups" || strArg.rfind("--groups=", 0) == 0))
        {
            const bool bJoined = strArg.size() > 8;
            if (!bJoined && i + 1 == argc)
            {
                std::fputs(
                    "taldrin-check: --groups needs a list of tags, e.g. --groups ess1,bas2\n",
                    stderr);
                return 2;
            }
            const std::string strTags = bJoined ? strArg.substr(9) : argv[++i];
            if (!ParseGroups(strTags, groups))
            {
                std::fprintf(stderr,
                             "taldrin-check: '%s' is not a list of group tags (lit ess1 ess2 bas1 "
                             "bas2 dop)\n",
                             strTags.c_str());
                return 2;
            }
        }
        else if (bOptions && strArg == "--")
            bOptions = false;
        else if (bOptions && strArg.size() > 1 && strArg[0] == '-')
        {
            std::fprintf(stderr, "taldrin-check: unknown option '%s'; see taldrin-check --help\n",
                         strArg.c_str());
            return 2;
        }
        else
            files.push_back(strArg);
    }
    if (files.empty())
    {
        std::fputs(kUsage, stderr);
        return 2;
    }

    int nStatus = 0;
    for (const std::string& strPath : files)
    {
        const ListCheck check = CheckVerbListFile(strPath, groups);
        for (const Finding& finding : check.m_findings)
        {
            if (bQuiet && finding.m_nKind != FindingKind::Error)
                continue;
            if (finding.m_nLine == 0)
                std::printf("%s: %s: %s\n", strPath.c_str(), KindName(finding.m_nKind),
                            finding.m_strText.c_str());
            else
                std::printf("%s:%zu: %s: %s\n", strPath.c_str(), finding.m_nLine,
                            KindName(finding.m_nKind), finding.m_strText.c_str());
            if (finding.m_nKind == FindingKind::Error && nStatus == 0)
                nStatus = 1;
        }
        if (!check.m_bRead)
            nStatus = 2;
        else if (!bQuiet)
            PrintSummary(strPath, check);
    }
    return nStatus;
}
