#include "checker/CheckReport.h"

#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"

#include <cstdio>
#include <map>
#include <string_view>

namespace
{

// For JSON: never translated.
const char* KindName(FindingKind nKind)
{
    return nKind == FindingKind::Error     ? "error"
           : nKind == FindingKind::Warning ? "warning"
                                           : "note";
}

std::string KindText(FindingKind nKind)
{
    // TRANSLATORS: the kind of a finding in "FILE:LINE: error: ...", as compilers print it.
    return nKind == FindingKind::Error     ? TrC("finding", "error")
           : nKind == FindingKind::Warning ? TrC("finding", "warning")
                                           : TrC("finding", "note");
}

// Characters of UTF-8 text, for lining up columns.
std::size_t Width(const std::string& str)
{
    std::size_t n = 0;
    for (const char c : str)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Whether the character at the start of the text must not reach a terminal raw: a control
// character, a mark that turns the direction of text, or a byte that is no UTF-8.
bool IsUnsafe(std::string_view text, std::size_t& nLength)
{
    char32_t ch = 0;
    nLength = DecodeUtf8(text, ch);
    if (nLength == 0)
    {
        nLength = 1;
        return true;
    }
    return IsUnsafeCharacter(ch);
}

std::string Format(const char* pszFormat, std::size_t n)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, pszFormat, static_cast<unsigned long>(n));
    return sz;
}

struct Counts
{
    std::size_t nVerbs = 0;
    std::size_t nQuestions = 0;
    std::size_t nKinds[3] = {};
};

Counts CountOf(const ListCheck& check, const ReportOptions& options)
{
    Counts counts;
    const ListSummary& summary = check.m_summary;
    counts.nVerbs = summary.m_nOtherVerbs;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        counts.nVerbs += summary.m_groups.Get(k) ? summary.m_nVerbs[k] : 0;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        counts.nQuestions += summary.m_nQuestions[k];
    for (const Finding& finding : check.m_findings)
        counts.nKinds[static_cast<int>(finding.m_nKind)] +=
            options.m_ignored.count(finding.m_strRule) == 0;
    return counts;
}

std::string Summary(const std::string& strName, const ListCheck& check,
                    const ReportOptions& options)
{
    const ListSummary& summary = check.m_summary;
    const Counts counts = CountOf(check, options);
    std::string strGroups;
    std::size_t nChosen = 0;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        if (summary.m_groups.Get(k))
        {
            ++nChosen;
            strGroups += std::string(strGroups.empty() ? "" : ", ") + kGroupTags[k] + " " +
                         std::to_string(summary.m_nVerbs[k]);
        }
    if (summary.m_nOtherVerbs > 0)
        // TRANSLATORS: verbs whose group tag is none of the six, after the tags' counts.
        strGroups += ", " + FillIn(Tr("other tags {1}"), {std::to_string(summary.m_nOtherVerbs)});
    const std::string strVerbs = std::to_string(counts.nVerbs);
    std::string str;
    if (summary.m_bAlternativeFile)
        // TRANSLATORS: the summary's first line: {1} the file, {2} how many verbs, {3} the
        // group tags (which stay as they are) with their counts.
        str = TrN("{1}: {2} verb asked in a lesson on the short list, which takes every group ({3})",
                  "{1}: {2} verbs asked in a lesson on the short list, which takes every group ({3})",
                  counts.nVerbs);
    else if (nChosen == kGroupCount)
        // TRANSLATORS: the summary's first line: {1} the file, {2} how many verbs, {3} the
        // group tags (which stay as they are) with their counts.
        str = TrN("{1}: {2} verb asked in a lesson with every group ({3})",
                  "{1}: {2} verbs asked in a lesson with every group ({3})", counts.nVerbs);
    else
        // TRANSLATORS: the summary's first line: {1} the file, {2} how many verbs, {3} the
        // group tags (which stay as they are) with their counts.
        str = TrN("{1}: {2} verb asked in a lesson with these groups ({3})",
                  "{1}: {2} verbs asked in a lesson with these groups ({3})", counts.nVerbs);
    str = FillIn(str, {strName, strVerbs, strGroups}) + "\n";
    str += FillIn(summary.m_directions.All()
                      // TRANSLATORS: {1} the file, {2} how many questions; the directions
                      // follow, a line each.
                      ? TrN("{1}: {2} question with all six directions:",
                            "{1}: {2} questions with all six directions:", counts.nQuestions)
                      // TRANSLATORS: {1} the file, {2} how many questions; the directions
                      // follow, a line each.
                      : TrN("{1}: {2} question with these directions:",
                            "{1}: {2} questions with these directions:", counts.nQuestions),
                  {strName, std::to_string(counts.nQuestions)}) +
           "\n";
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        if (summary.m_directions.Get(k))
        {
            const std::string strDirection = DirectionText(k);
            str += "  " + strDirection + std::string(32 - std::min<std::size_t>(Width(strDirection), 32), ' ') +
                   " " + Format("%5lu", summary.m_nQuestions[k]) + "\n";
        }
    const std::string strErrors =
        Counted(TrN("{1} error", "{1} errors", counts.nKinds[2]), counts.nKinds[2]);
    const std::string strWarnings =
        Counted(TrN("{1} warning", "{1} warnings", counts.nKinds[1]), counts.nKinds[1]);
    const std::string strNotes =
        Counted(TrN("{1} note", "{1} notes", counts.nKinds[0]), counts.nKinds[0]);
    str += FillIn(counts.nKinds[0] == 0 || options.m_bNotes
                      // TRANSLATORS: the summary's last line: {1} the file, {2} errors ("1
                      // error"), {3} warnings, {4} notes.
                      ? Tr("{1}: {2}, {3}, {4}")
                      // TRANSLATORS: the summary's last line: {1} the file, {2} errors, {3}
                      // warnings, {4} notes ("3 notes"); --notes is an option, as it is typed.
                      : TrN("{1}: {2}, {3} (and {4}: --notes shows it)",
                            "{1}: {2}, {3} (and {4}: --notes shows them)", counts.nKinds[0]),
                  {strName, strErrors, strWarnings, strNotes}) +
           "\n";
    return str;
}

} // namespace

std::string UsageText()
{
    // TRANSLATORS: taldrin-check --help. Options, their values (TAGS, NUMS, ...), group tags,
    // rule names and file names stay as they are; keep lines within 80 columns.
    std::string str = Tr("Usage: taldrin-check [OPTION]... FILE...\n"
                         "  or:  taldrin-check --convert [--group TAG] [--force] IN OUT.ver\n"
        "Checks Taldrin verb lists: says, line by line, what a lesson will make of each list\n"
        "and what to do about it, as FILE:LINE: error|warning|note: ... [rule], then counts\n"
        "the verbs and questions a lesson asks.\n");
    str += "\n";
    // TRANSLATORS: taldrin-check --help, its options; see the note above.
    str += Tr("  --groups TAGS      count only these groups, e.g. --groups ess1,bas2\n"
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
        "  --help             print this help\n");
    str += "\n";
    // TRANSLATORS: taldrin-check --help: the heading of the list of rules.
    str += Tr("Rules:") + "\n";
    for (const Rule& rule : kRules)
    {
        char sz[32];
        std::snprintf(sz, sizeof sz, "  %-21s ", rule.pszName);
        str += sz + Tr(rule.pszSummary) + "\n";
    }
    str += "\n";
    // TRANSLATORS: taldrin-check --help, its last lines.
    str += Tr("Exit status, the worst over all files: 0 no errors, 1 errors found, 2 a file could\n"
              "not be read or bad usage. With --convert: 0 written without errors, 1 written with\n"
              "errors or cells left out, 2 nothing written.\n");
    return str;
}

std::vector<Finding> ShownFindings(const ListCheck& check, const ReportOptions& options)
{
    std::vector<Finding> shown;
    for (const Finding& finding : check.m_findings)
        if (options.m_ignored.count(finding.m_strRule) == 0 &&
            (options.m_bQuiet ? finding.m_nKind == FindingKind::Error
                              : options.m_bNotes || finding.m_nKind != FindingKind::Note))
            shown.push_back(finding);
    return shown;
}

std::string TextReport(const std::string& strPath, const ListCheck& check,
                       const ReportOptions& options)
{
    const std::string strName = EscapedFileName(strPath);
    const std::vector<Finding> shown = ShownFindings(check, options);
    // Repeats of one message collapse into its first line, which names the others.
    std::map<std::string, std::vector<std::size_t>> repeats;
    for (const Finding& finding : shown)
        repeats[finding.m_strRule + '\n' + finding.m_strText].push_back(finding.m_nLine);
    std::string str;
    for (const Finding& finding : shown)
    {
        const std::vector<std::size_t>& lines =
            repeats[finding.m_strRule + '\n' + finding.m_strText];
        if (lines.front() != finding.m_nLine)
            continue;
        str += strName +
               (finding.m_nLine == 0 ? std::string() : ":" + std::to_string(finding.m_nLine)) +
               ": " + KindText(finding.m_nKind) + ": " + finding.m_strText;
        std::string strAlso;
        for (std::size_t i = 1; i < lines.size(); ++i)
            strAlso += (i == 1 ? "" : ", ") + std::to_string(lines[i]);
        if (lines.size() > 1)
            // TRANSLATORS: after a finding, the other lines it is found in: "(also lines 8, 12)".
            str += " " + FillIn(TrN("(also line {1})", "(also lines {1})", lines.size() - 1), {strAlso});
        str += " [" + finding.m_strRule + "]\n";
    }
    if (check.m_bRead && !options.m_bQuiet)
        str += Summary(strName, check, options);
    return str;
}

std::string JsonReport(const std::string& strPath, const ListCheck& check,
                       const ReportOptions& options)
{
    const std::string strFile = JsonFileName(strPath);
    std::string str = "{\"file\": " + strFile +
                      ", \"read\": " + (check.m_bRead ? "true" : "false") + ", \"findings\": [";
    const std::vector<Finding> shown = ShownFindings(check, options);
    for (std::size_t i = 0; i < shown.size(); ++i)
    {
        const Finding& finding = shown[i];
        str += std::string(i == 0 ? "\n" : ",\n") + "  {\"file\": " + strFile +
               ", \"line\": " + std::to_string(finding.m_nLine) +
               ", \"column\": " + std::to_string(finding.m_nColumn) + ", \"severity\": \"" +
               KindName(finding.m_nKind) + "\", \"rule\": " + JsonString(finding.m_strRule) +
               ", \"message\": " + JsonString(finding.m_strText) +
               ", \"fix\": " + JsonString(finding.m_strFix) + "}";
    }
    str += "]";
    if (check.m_bRead && !options.m_bQuiet)
    {
        const ListSummary& summary = check.m_summary;
        const Counts counts = CountOf(check, options);
        str += ",\n \"summary\": {\"verbs\": " + std::to_string(counts.nVerbs) + ", \"groups\": {";
        std::string strItems;
        for (std::size_t k = 0; k < kGroupCount; ++k)
            if (summary.m_groups.Get(k))
                strItems += std::string(strItems.empty() ? "" : ", ") + "\"" + kGroupTags[k] +
                            "\": " + std::to_string(summary.m_nVerbs[k]);
        str += strItems + "}, \"otherTags\": " + std::to_string(summary.m_nOtherVerbs) +
               ", \"questions\": " + std::to_string(counts.nQuestions) + ", \"directions\": {";
        strItems.clear();
        for (std::size_t k = 0; k < kDirectionCount; ++k)
            if (summary.m_directions.Get(k))
                strItems += std::string(strItems.empty() ? "" : ", ") +
                            JsonString(DirectionName(k)) + ": " +
                            std::to_string(summary.m_nQuestions[k]);
        str += strItems + "}, \"errors\": " + std::to_string(counts.nKinds[2]) +
               ", \"warnings\": " + std::to_string(counts.nKinds[1]) +
               ", \"notes\": " + std::to_string(counts.nKinds[0]) + "}";
    }
    return str + "}";
}

std::string EscapedFileName(const std::string& strName)
{
    bool bUnsafe = false;
    std::size_t nLength = 0;
    for (std::size_t i = 0; i < strName.size() && !bUnsafe; i += nLength)
        bUnsafe = IsUnsafe(std::string_view(strName).substr(i), nLength);
    if (!bUnsafe)
        return strName;
    std::string str;
    bool bQuoted = false; // inside '...'
    for (std::size_t i = 0; i < strName.size(); i += nLength)
    {
        if (IsUnsafe(std::string_view(strName).substr(i), nLength))
        {
            str += bQuoted ? "'$'" : "$'";
            for (std::size_t j = i; j < i + nLength; ++j)
            {
                char sz[8];
                std::snprintf(sz, sizeof sz, "\\%03o", static_cast<unsigned char>(strName[j]));
                str += sz;
            }
            str += "'";
            bQuoted = false;
            continue;
        }
        if (!bQuoted)
            str += "'";
        bQuoted = true;
        str += strName[i] == '\'' ? "'\\''" : strName.substr(i, nLength);
    }
    return bQuoted ? str + "'" : str;
}

std::string JsonFileName(const std::string& strName)
{
    std::string str = "\"";
    std::size_t nLength = 0;
    for (std::size_t i = 0; i < strName.size(); i += nLength)
    {
        const std::string_view rest = std::string_view(strName).substr(i);
        char32_t ch = 0;
        nLength = DecodeUtf8(rest, ch);
        if (nLength == 0)
        {
            char sz[8];
            std::snprintf(sz, sizeof sz, "\\u%04X", 0xDC00u + static_cast<unsigned char>(rest[0]));
            str += sz;
            nLength = 1;
            continue;
        }
        const std::string strChar = JsonString(std::string(rest.substr(0, nLength)));
        str.append(strChar, 1, strChar.size() - 2);
    }
    return str + "\"";
}

std::string JsonString(const std::string& strText)
{
    std::string str = "\"";
    std::size_t nLength = 0;
    for (std::size_t i = 0; i < strText.size(); i += nLength)
    {
        const std::string_view rest = std::string_view(strText).substr(i);
        if (IsUnsafe(rest, nLength) || rest[0] == '"' || rest[0] == '\\')
        {
            char32_t ch = 0;
            if (DecodeUtf8(rest, ch) == 0)
                ch = static_cast<unsigned char>(rest[0]); // a stray byte, as Latin-1
            char sz[8];
            std::snprintf(sz, sizeof sz, "\\u%04X", static_cast<unsigned>(ch));
            str += rest[0] == '"' ? "\\\"" : rest[0] == '\\' ? "\\\\" : sz;
        }
        else
            str.append(rest.substr(0, nLength));
    }
    return str + "\"";
}
