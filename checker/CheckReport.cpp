#include "checker/CheckReport.h"

#include "verbdata/ListEncoding.h"

#include <cstdio>
#include <map>
#include <string_view>

namespace
{

const char* KindName(FindingKind nKind)
{
    return nKind == FindingKind::Error     ? "error"
           : nKind == FindingKind::Warning ? "warning"
                                           : "note";
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
        strGroups += ", other tags " + std::to_string(summary.m_nOtherVerbs);
    std::string str = strName + ": " + Plural(counts.nVerbs, " verb", " verbs") +
                      " asked in a lesson " +
                      (summary.m_bAlternativeFile ? "on the short list, which takes every group"
                       : nChosen == kGroupCount   ? "with every group"
                                                  : "with these groups") +
                      " (" + strGroups + ")\n";
    str +=
        strName + ": " + Plural(counts.nQuestions, " question", " questions") +
        (summary.m_directions.All() ? " with all six directions:\n" : " with these directions:\n");
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        if (summary.m_directions.Get(k))
        {
            std::string strName = DirectionName(k);
            strName.resize(32, ' ');
            str += "  " + strName + " " + Format("%5lu", summary.m_nQuestions[k]) + "\n";
        }
    str += strName + ": " + Plural(counts.nKinds[2], " error", " errors") + ", " +
           Plural(counts.nKinds[1], " warning", " warnings") +
           (counts.nKinds[0] == 0 || options.m_bNotes
                ? ", " + Plural(counts.nKinds[0], " note", " notes")
                : " (and " + Plural(counts.nKinds[0], " note", " notes") + ": --notes shows " +
                      (counts.nKinds[0] == 1 ? "it)" : "them)")) +
           "\n";
    return str;
}

} // namespace

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
               ": " + KindName(finding.m_nKind) + ": " + finding.m_strText;
        for (std::size_t i = 1; i < lines.size(); ++i)
            str += (i == 1 ? lines.size() == 2 ? " (also line " : " (also lines " : ", ") +
                   std::to_string(lines[i]) + (i + 1 == lines.size() ? ")" : "");
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
