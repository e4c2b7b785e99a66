// taldrin-check: the command line over VerbListChecker. Prints findings in the form editors
// jump to (FILE:LINE: error: ...) and a summary, or JSON; the exit status says the worst.
#include "checker/CheckReport.h"
#include "checker/CheckerLanguage.h"
#include "checker/VerbListChecker.h"
#include "editor/ListConversion.h"
#include "framework/Translation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

void PrintUsage(std::FILE* pFile)
{
    std::fputs(UsageText().c_str(), pFile);
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
    UseCheckerLanguage(argc > 0 ? argv[0] : "taldrin-check");
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
            // TRANSLATORS: {1}: an option; the command stays as it is.
            return Fail(FillIn(Tr("{1} needs a value; see taldrin-check --help"), {strName}));
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
            // TRANSLATORS: {1}: what the user gave; the tags stay as they are.
            return Fail(FillIn(Tr("'{1}' is not a list of group tags (lit ess1 ess2 bas1 bas2 dop)"),
                               {strValue}));
        else if (strName == "--directions" && !ParseDirections(strValue, directions))
            return Fail(FillIn(Tr("'{1}' is not a list of direction numbers 1 to 6"), {strValue}));
        else if (strName == "--ignore")
        {
            for (const std::string& strRule : Split(strValue))
                if (!IsRule(strRule))
                    return Fail(FillIn(Tr("'{1}' is no rule; taldrin-check --help lists them"),
                                       {strRule}));
                else
                    options.m_ignored.insert(strRule);
        }
        else if (strName == "--format" && strValue != "text" && strValue != "json")
            // TRANSLATORS: text and json are the option's values and stay as they are.
            return Fail(FillIn(Tr("the format is text or json, not '{1}'"), {strValue}));
        else if (strName == "--format")
            options.m_bJson = strValue == "json";
        else if (!bValued)
            return Fail(FillIn(Tr("unknown option '{1}'; see taldrin-check --help"), {strArg}));
    }
    if (bConvert && files.size() != 2)
        // TRANSLATORS: the options and IN and OUT.ver stay as they are.
        return Fail(Tr("--convert takes two files, IN and OUT.ver"));
    if (!bConvert && (bForce || !strGroup.empty()))
        return Fail(Tr("--group and --force go with --convert"));
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
