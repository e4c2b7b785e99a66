// taldrin-check: the command line over VerbListChecker. Prints findings in the form editors
// jump to (FILE:LINE: error: ...) and a summary, or JSON; the exit status says the worst.
#include "checker/CheckReport.h"
#include "checker/VerbListChecker.h"
#include "editor/ListConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const char kUsage[] =
    "Usage: taldrin-check [OPTION]... FILE...\n"
    "  or:  taldrin-check --convert [--group TAG] [--force] IN OUT.ver\n"
    "Checks Taldrin verb lists: says, line by line, what a lesson will make of each list\n"
    "and what to do about it, as FILE:LINE: error|warning|note: ... [rule], then counts\n"
    "the verbs and questions a lesson asks.\n"
    "\n"
    "  --groups TAGS      count only these groups, e.g. --groups ess1,bas2\n"
    "                     (lit ess1 ess2 bas1 bas2 dop; default: all six)\n"
    "  --directions NUMS  count only these directions, numbered as the lesson's\n"
    "                     choices: 1 Infinitive to Past Tense, 2 Infinitive to Past\n"
    "                     Participle, 3 Past Tense to Infinitive, 4 Past Tense to Past\n"
    "                     Participle, 5 Past Participle to Infinitive, 6 Past\n"
    "                     Participle to Past Tense; e.g. --directions 1,3 (default: all)\n"
    "  --ignore RULES     do not report these rules, e.g. --ignore same-verb-twice\n"
    "  --notes            also print notes (findings with nothing to fix)\n"
    "  --quiet            print errors only, and no summary\n"
    "  --format FORMAT    text (default) or json\n"
    "  --convert IN OUT   read IN (CSV, TSV or a verb list) as the list editor opens it,\n"
    "                     write it to OUT as the editor saves it, and check OUT\n"
    "  --group TAG        with --convert: the group of verbs that have no group column\n"
    "  --force            with --convert: write over OUT when it exists\n"
    "  --help             print this help\n"
    "\n"
    "Rules:\n";

const char kStatus[] =
    "\nExit status, the worst over all files: 0 no errors, 1 errors found, 2 a file could\n"
    "not be read or bad usage. With --convert: 0 written without errors, 1 written with\n"
    "errors or cells left out, 2 nothing written.\n";

void PrintUsage(std::FILE* pFile)
{
    std::fputs(kUsage, pFile);
    for (const Rule& rule : kRules)
        std::fprintf(pFile, "  %-21s %s\n", rule.pszName, rule.pszSummary);
    std::fputs(kStatus, pFile);
}

int Fail(const std::string& strMessage)
{
    std::fprintf(stderr, "taldrin-check: %s\n", strMessage.c_str());
    return 2;
}

std::vector<std::string> Split(const std::string& strList)
{
    std::vector<std::string> items;
    std::size_t nStart = 0;
    do
    {
        const std::size_t nComma = std::min(strList.find(',', nStart), strList.size());
        items.push_back(strList.substr(nStart, nComma - nStart));
        nStart = nComma + 1;
    } while (nStart <= strList.size());
    return items;
}

bool ParseGroups(const std::string& strTags, GroupSet& groups)
{
    groups = GroupSet();
    for (const std::string& strTag : Split(strTags))
    {
        const int nGroup = FindGroup(strTag);
        if (nGroup < 0)
            return false;
        groups.Set(static_cast<std::size_t>(nGroup), true);
    }
    return true;
}

bool ParseDirections(const std::string& strNumbers, DirectionSet& directions)
{
    directions = DirectionSet();
    for (const std::string& strNumber : Split(strNumbers))
    {
        if (strNumber.size() != 1 || strNumber[0] < '1' || strNumber[0] > '6')
            return false;
        directions.Set(static_cast<std::size_t>(strNumber[0] - '1'), true);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    GroupSet groups = AllFlags<GroupSet>();
    DirectionSet directions = AllFlags<DirectionSet>();
    ReportOptions options;
    std::vector<std::string> files;
    bool bOptions = true;
    bool bConvert = false, bForce = false;
    std::string strGroup;
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArg = argv[i];
        if (!bOptions || strArg.size() < 2 || strArg[0] != '-')
        {
            files.push_back(strArg);
            continue;
        }
        // --name=VALUE or --name VALUE for the options that take one.
        const std::string strName = strArg.substr(0, strArg.find('='));
        const bool bValued = strName == "--groups" || strName == "--directions" ||
                             strName == "--ignore" || strName == "--format" ||
                             strName == "--group";
        if (bValued && strName == strArg && i + 1 == argc)
            return Fail(strName + " needs a value; see taldrin-check --help");
        const std::string strValue = !bValued            ? ""
                                     : strName == strArg ? argv[++i]
                                                         : strArg.substr(strName.size() + 1);
        if (strArg == "--help")
        {
            PrintUsage(stdout);
            return 0;
        }
        if (strArg == "--")
            bOptions = false;
        else if (strArg == "--quiet")
            options.m_bQuiet = true;
        else if (strArg == "--notes")
            options.m_bNotes = true;
        else if (strArg == "--convert")
            bConvert = true;
        else if (strArg == "--force")
            bForce = true;
        else if (strName == "--group")
            strGroup = strValue;
        else if (strName == "--groups" && !ParseGroups(strValue, groups))
            return Fail("'" + strValue +
                        "' is not a list of group tags (lit ess1 ess2 bas1 bas2 dop)");
        else if (strName == "--directions" && !ParseDirections(strValue, directions))
            return Fail("'" + strValue + "' is not a list of direction numbers 1 to 6");
        else if (strName == "--ignore")
        {
            for (const std::string& strRule : Split(strValue))
                if (!IsRule(strRule))
                    return Fail("'" + strRule + "' is no rule; taldrin-check --help lists them");
                else
                    options.m_ignored.insert(strRule);
        }
        else if (strName == "--format" && strValue != "text" && strValue != "json")
            return Fail("the format is text or json, not '" + strValue + "'");
        else if (strName == "--format")
            options.m_bJson = strValue == "json";
        else if (!bValued)
            return Fail("unknown option '" + strArg + "'; see taldrin-check --help");
    }
    if (bConvert && files.size() != 2)
        return Fail("--convert takes two files, IN and OUT.ver");
    if (!bConvert && (bForce || !strGroup.empty()))
        return Fail("--group and --force go with --convert");
    if (bConvert)
    {
        const ConversionResult result = ConvertListFile(files[0], files[1], strGroup, bForce, options);
        std::fputs(result.m_strErrors.c_str(), stderr);
        std::fputs(result.m_strReport.c_str(), stdout);
        return result.m_nStatus;
    }
    if (files.empty())
    {
        PrintUsage(stderr);
        return 2;
    }

    int nStatus = 0;
    if (options.m_bJson)
        std::fputs("[", stdout);
    for (std::size_t f = 0; f < files.size(); ++f)
    {
        const ListCheck check = CheckVerbListFile(files[f], groups, directions, false);
        for (const Finding& finding : ShownFindings(check, options))
            if (finding.m_nKind == FindingKind::Error)
                nStatus = std::max(nStatus, 1);
        if (!check.m_bRead)
            nStatus = 2;
        const std::string strReport =
            options.m_bJson ? (f == 0 ? "" : ",\n") + JsonReport(files[f], check, options)
                            : TextReport(files[f], check, options);
        std::fputs(strReport.c_str(), stdout);
    }
    if (options.m_bJson)
        std::fputs("]\n", stdout);
    return nStatus;
}
