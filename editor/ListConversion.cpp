#include "editor/ListConversion.h"

#include "editor/CellRules.h"
#include "editor/CsvFile.h"
#include "editor/ListFiles.h"
#include "editor/VerFile.h"
#include "framework/UserFile.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/ListEncoding.h"

#include <filesystem>
#include <system_error>

namespace
{

const char* ColumnName(VerbColumn column)
{
    return column == VerbColumn::Group ? "Group" : VerbFormName(FormOfColumn(column));
}

ConversionResult Refused(const std::string& strWhy)
{
    ConversionResult result;
    result.m_strErrors = "taldrin-check: " + strWhy + "\n";
    return result;
}

} // namespace

ConversionResult ConvertListFile(const std::string& strIn, const std::string& strOut,
                                 const std::string& strGroup, bool bForce,
                                 const ReportOptions& options)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(strIn, strOut, error) || fs::absolute(strIn, error) == fs::absolute(strOut, error))
        return Refused("'" + strOut + "' is the file read: write the list to another file");
    if (fs::exists(fs::symlink_status(strOut, error)) && !bForce)
        return Refused("'" + strOut + "' exists; --force writes over it");
    if (!strGroup.empty() && FindGroup(strGroup) < 0)
        return Refused("'" + strGroup + "' is no group tag (lit ess1 ess2 bas1 bas2 dop)");

    std::string strBytes;
    if (const std::string strError = ReadListFile(strIn, strBytes); !strError.empty())
        return Refused("cannot read '" + strIn + "': " + strError);
    ConversionResult result;
    VerbTable table;
    bool bLeftOut = false;
    if (KindOfListFile(strIn, strBytes) == ListFileKind::VerbList)
        table = ReadVerText(strBytes);
    else
    {
        const CsvText text = ReadCsv(strBytes);
        if (!text.m_strProblem.empty())
            return Refused("'" + strIn + "': " + text.m_strProblem);
        ColumnMapping mapping = GuessMapping(text);
        for (VerbColumn column : {VerbColumn::Infinitive, VerbColumn::PastTense, VerbColumn::PastParticiple})
            if (mapping.m_nColumn[static_cast<std::size_t>(column)] < 0)
                return Refused("'" + strIn + "': no column is headed as the " + ColumnName(column) +
                               " (headings such as Infinitive, Past Tense, Past Participle, Group)");
        if (!strGroup.empty())
            mapping.m_strGroup = strGroup;
        else if (mapping.m_nColumn[0] < 0)
            result.m_strErrors += "taldrin-check: '" + strIn +
                                  "' has no group column: its verbs go to ess1 (--group TAG chooses)\n";
        const ImportResult imported = ImportRows(text, mapping);
        for (const ImportProblem& problem : imported.m_problems)
            result.m_strErrors +=
                strIn + ":" + std::to_string(problem.m_nLine) + ": error: the " +
                ColumnName(problem.m_column) +
                (problem.m_strText.empty() ? std::string(" is missing")
                                           : " '" + problem.m_strText + "' is left out") +
                ": " + problem.m_strMessage + "\n";
        bLeftOut = !imported.m_problems.empty();
        std::string strTitle;
        Utf8ToLatin1(fs::path(strIn).stem().string(), strTitle);
        strTitle = strTitle.substr(strTitle.find_first_not_of('#') == std::string::npos ? 0 : strTitle.find_first_not_of('#'));
        const CellResult title = ParseTitle(Latin1ToUtf8(strTitle));
        table = VerbTable(imported.m_rows, title.m_bAccepted ? title.m_strStored : "Verb list", {},
                          ListOrigin());
    }
    std::string strText = WriteVerText(table);
    if (const std::string strError = ReplaceUserFile(strOut, strText); !strError.empty())
        return Refused("cannot write '" + strOut + "': " + strError);

    const ListCheck check =
        CheckVerbListBytes(std::move(strText), fs::path(strOut).filename() == kAlternativeVerbList,
                           AllFlags<GroupSet>(), AllFlags<DirectionSet>(), false);
    result.m_strReport = options.m_bJson ? "[" + JsonReport(strOut, check, options) + "]\n"
                                         : TextReport(strOut, check, options);
    result.m_nStatus = bLeftOut ? 1 : 0;
    for (const Finding& finding : ShownFindings(check, options))
        if (finding.m_nKind == FindingKind::Error)
            result.m_nStatus = 1;
    return result;
}
