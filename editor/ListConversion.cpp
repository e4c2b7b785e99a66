#include "editor/ListConversion.h"

#include "editor/CellRules.h"
#include "editor/CsvFile.h"
#include "editor/ListFiles.h"
#include "editor/VerFile.h"
#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/ListEncoding.h"

#include <filesystem>
#include <system_error>

namespace
{

const char* ColumnName(VerbColumn column)
{
    return column == VerbColumn::Group ? TR_NOOP("Group") : VerbFormName(FormOfColumn(column));
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
        // TRANSLATORS: taldrin-check --convert; {1} is a file.
        return Refused(FillIn(Tr("'{1}' is the file read: write the list to another file"), {strOut}));
    if (fs::exists(fs::symlink_status(strOut, error)) && !bForce)
        // TRANSLATORS: {1} is a file; --force is the option's name.
        return Refused(FillIn(Tr("'{1}' exists; --force writes over it"), {strOut}));
    if (!strGroup.empty() && FindGroup(strGroup) < 0)
        // TRANSLATORS: {1} is what was given; the tags stay as they are.
        return Refused(FillIn(Tr("'{1}' is no group tag (lit ess1 ess2 bas1 bas2 dop)"), {strGroup}));

    std::string strBytes;
    if (const std::string strError = ReadListFile(strIn, strBytes); !strError.empty())
        // TRANSLATORS: {1} is a file, {2} why.
        return Refused(FillIn(Tr("cannot read '{1}': {2}"), {strIn, strError}));
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
                // TRANSLATORS: {1} is a file, {2} a column's name; the headings in parentheses are
                // what the file may hold and stay English.
                return Refused(FillIn(Tr("'{1}': no column is headed as the {2} (headings such as Infinitive, "
                                         "Past Tense, Past Participle, Group)"),
                                      {strIn, Tr(ColumnName(column))}));
        if (!strGroup.empty())
            mapping.m_strGroup = strGroup;
        else if (mapping.m_nColumn[0] < 0)
            // TRANSLATORS: {1} is a file; ess1 and --group TAG stay as they are.
            result.m_strErrors += "taldrin-check: " +
                                  FillIn(Tr("'{1}' has no group column: its verbs go to ess1 (--group TAG chooses)"), {strIn}) +
                                  "\n";
        const ImportResult imported = ImportRows(text, mapping);
        for (const ImportProblem& problem : imported.m_problems)
            result.m_strErrors +=
                strIn + ":" + std::to_string(problem.m_nLine) + ": error: " +
                (problem.m_strText.empty()
                     // TRANSLATORS: {1} is a column's name, {2} why.
                     ? FillIn(Tr("the {1} is missing: {2}"), {Tr(ColumnName(problem.m_column)), problem.m_strMessage})
                     // TRANSLATORS: {1} is a column's name, {2} the text in the file, {3} why.
                     : FillIn(Tr("the {1} '{2}' is left out: {3}"),
                              {Tr(ColumnName(problem.m_column)), problem.m_strText, problem.m_strMessage})) +
                "\n";
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
        return Refused(FillIn(Tr("cannot write '{1}': {2}"), {strOut, strError}));

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
