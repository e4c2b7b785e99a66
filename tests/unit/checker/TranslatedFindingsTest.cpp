// taldrin-check and the findings in another language: every text a person reads from the catalog.
#include "checker/CheckReport.h"
#include "checker/ChosenListCheck.h"
#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"

#include "support/PseudoCatalog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <regex>
#include <sstream>

namespace
{

bool IsUtf8(const std::string& str)
{
    char32_t ch = 0;
    for (std::size_t i = 0, n = 0; i < str.size(); i += n)
        if ((n = DecodeUtf8(std::string_view(str).substr(i), ch)) == 0)
            return false;
    return true;
}

// English words left in a line, once what stays as it is is taken out: the file's name,
// the system's reason for an error, quoted list text, rule names, group tags and character
// codes.
std::string EnglishIn(std::string strLine, const std::string& strPath)
{
    for (const std::string& strKept : {strPath, std::string(std::strerror(ENOENT))})
        for (std::size_t i; !strKept.empty() && (i = strLine.find(strKept)) != std::string::npos;)
            strLine.erase(i, strKept.size());
    static const std::regex kKept(
        "(^|[\\s(\"])'[^'\\n]*'|\\[[a-z0-9-]+\\]|U\\+[0-9A-F]+|0x[0-9A-F]+|--ignore=[a-z-]+|\\b(lit|ess1|ess2|bas1|bas2|dop)\\b");
    strLine = std::regex_replace(strLine, kKept, "");
    std::smatch match; // the catalog's texts have their vowels accented
    return std::regex_search(strLine, match, std::regex("[A-Za-z]*[AEIOUYaeiouy][A-Za-z]+|[A-Za-z]+[AEIOUYaeiouy]")) ? match.str() : "";
}

} // namespace

// Each faulty list the checker's tests use, and one in Latin-1: what taldrin-check prints
// and what the window shows.
TEST(TranslatedFindings, EveryLineAndEveryWindowTextComesFromTheCatalog)
{
    const PseudoLanguage language;
    TempDir dir;
    const std::string strSource = TALDRIN_SOURCE_DIR "/tests/data/checker/";
    const std::string strLatin1 = dir.Write("latin1.ver", "# caf\xE9\nt\n#\n#\nb\xE4s1\nw\xE9nt\ngo\ngone\n"
                                                          "ess1\nT\xF6ok\ntake\ntaken\ness1\nsaw\nsee\nse\ten\n")
                                      .string();
    const std::string rows[] = {
        strSource + "line-too-long.ver", strSource + "missing-line.ver", strSource + "extra-lines.ver",
        strSource + "blank-line.ver",    strSource + "never-asked.ver",  strSource + "no-header.ver",
        strSource + "header.ver",        strSource + "utf-16.ver",       strSource + "cr-only.ver",
        strSource + "comment-in-record.ver", strSource + "lit.ver",      strSource + "records.ver",
        strSource + "answers.ver",       strSource + "utf-8.ver",        strLatin1,
        dir.Write("export.csv", "Infinitive,Past Tense,Past Participle\ngo,went,gone\n").string(),
        dir.Path().string() + "/missing.ver",
    };
    ReportOptions options;
    options.m_bNotes = true;
    std::size_t nLines = 0;
    for (const std::string& strPath : rows)
    {
        const ListCheck check = CheckVerbListFile(strPath, AllFlags<GroupSet>());
        std::istringstream report(TextReport(strPath, check, options));
        for (std::string strLine; std::getline(report, strLine); ++nLines)
            EXPECT_EQ(EnglishIn(strLine, strPath), "") << strLine;
        for (const Finding& finding : check.m_findings)
        {
            EXPECT_TRUE(IsUtf8(finding.WindowText())) << finding.WindowText();
            EXPECT_EQ(EnglishIn(finding.WindowText(), ""), "") << finding.WindowText();
        }
        const ChosenListCheck chosen = CheckChosenList(strPath, "x");
        EXPECT_TRUE(IsUtf8(chosen.m_strText)) << chosen.m_strText;
        EXPECT_EQ(EnglishIn(chosen.m_strText, ""), "") << chosen.m_strText;
    }
    EXPECT_GT(nLines, 60u);
    std::istringstream usage(UsageText());
    for (std::string strLine; std::getline(usage, strLine);)
    {
        for (const Rule& rule : kRules)
            if (strLine.compare(0, std::strlen(rule.pszName) + 2, "  " + std::string(rule.pszName)) == 0)
                strLine.erase(0, std::strlen(rule.pszName) + 2);
        EXPECT_EQ(EnglishIn(strLine, ""), "") << strLine;
    }

    // The Latin-1 letters of the list reach the window as UTF-8.
    const ListCheck check = CheckVerbListFile(strLatin1, AllFlags<GroupSet>());
    std::string strWindow;
    for (const Finding& finding : check.m_findings)
        strWindow += finding.WindowText() + "\n";
    EXPECT_NE(strWindow.find("'b\xC3\xA4s1'"), std::string::npos) << strWindow;
    EXPECT_NE(strWindow.find("'T\xC3\xB6ok'"), std::string::npos) << strWindow;
    EXPECT_NE(strWindow.find("'t\xC3\xB6ok'"), std::string::npos) << strWindow;

    // A name that is no UTF-8 reaches the window escaped, not dropped.
    const ChosenListCheck chosen = CheckChosenList(dir.Path().string(), "caf\xE9");
    EXPECT_TRUE(IsUtf8(chosen.m_strText)) << chosen.m_strText;
    EXPECT_EQ(chosen.m_strText.rfind("\"caf\\xE9\" ", 0), 0u) << chosen.m_strText;

    // JSON: what a person reads translated, what a script reads as it is.
    const std::string strJson = JsonReport(strLatin1, check, options);
    for (const char* pszText : {"\"severity\": \"warning\"", "\"rule\": \"unknown-tag\"",
                                "\"Infinitive to Past Tense\": ", "\"errors\": "})
        EXPECT_NE(strJson.find(pszText), std::string::npos) << pszText << "\n" << strJson;
    EXPECT_NE(strJson.find("\"message\": \"'b\xC3\xA4s1' \xC3\xAEs"), std::string::npos) << strJson;
}

// The verbs of a summary counted as Russian counts them: the form follows the count.
TEST(TranslatedFindings, ACountedTextTakesTheFormOfItsCount)
{
    UseTextCatalog(std::make_unique<CountingCatalog>(RussianForm));
    TempDir dir;
    for (const auto& [nVerbs, pszForm] : {std::pair<std::size_t, const char*>{1, "one"}, {2, "few"}, {5, "many"}, {11, "many"}, {21, "one"}, {22, "few"}})
    {
        std::string strList = "# t\ntitle\n#\n#\n";
        for (std::size_t i = 0; i < nVerbs; ++i)
            strList += "ess1\nwent" + std::to_string(i) + "\ngo" + std::to_string(i) + "\ngone\n";
        const std::string strPath = dir.Write("list.ver", strList).string();
        const std::string strReport = TextReport(strPath, CheckVerbListFile(strPath, AllFlags<GroupSet>()), {});
        const std::string strFirst = strReport.substr(0, strReport.find('\n'));
        EXPECT_NE(strFirst.find(": " + std::to_string(nVerbs) + " ver|" + pszForm), std::string::npos) << strFirst;
    }
    UseTextCatalog(nullptr);
}
