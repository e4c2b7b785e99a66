// taldrin-check and the findings in another language: under a pseudo-language every text a
// person reads comes from the catalog, quoted list bytes reach the window as UTF-8, and a
// counted text takes the form its count asks for.
#include "checker/CheckReport.h"
#include "checker/ChosenListCheck.h"
#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <cerrno>
#include <cstring>
#include <regex>
#include <sstream>
#include <tuple>

namespace
{

const char kMarker[] = " \xC4\x88\xC4\xA5\xC3\xB6\xC3\xAE\xC3\xA7\xC3\xA9 \xD0\x96\xD0\xB4\xD1\x91\xD0\xBC";

// Every ASCII letter gets an accent (a combining one), so English that escaped the catalog
// is the only run of plain letters; and the text grows.
std::string Pseudo(const char* pszEnglish)
{
    std::string str;
    for (const char* p = pszEnglish; *p; ++p)
    {
        str += *p;
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z'))
            str += "\xCC\x81";
    }
    return str + kMarker;
}

// Three forms as Russian counts them: 1, 21 | 2, 22 | 5, 11, 12.
class PseudoCatalog : public TextCatalog
{
public:
    const std::string* Find(const char* pszContext, const char* pszEnglish) const override
    {
        const std::string strKey = std::string(pszContext ? pszContext : "") + '\x04' + pszEnglish;
        return &m_texts.emplace(strKey, Pseudo(pszEnglish)).first->second;
    }
    const std::string* FindPlural(const char* pszSingular, unsigned long n) const override
    {
        const int nForm = n % 10 == 1 && n % 100 != 11                                ? 0
                          : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14) ? 1
                                                                                       : 2;
        const std::string strText = Pseudo(pszSingular) + " \xD1\x84" + std::to_string(nForm);
        return &m_texts.emplace(strText, strText).first->second;
    }

private:
    mutable std::map<std::string, std::string> m_texts;
};

// The pseudo-language for one test, English again after it.
struct PseudoLanguage
{
    PseudoLanguage() { UseTextCatalog(std::make_unique<PseudoCatalog>()); }
    ~PseudoLanguage() { UseTextCatalog(nullptr); }
};

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
    std::smatch match;
    return std::regex_search(strLine, match, std::regex("[A-Za-z]{2,}")) ? match.str() : "";
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
    EXPECT_NE(strJson.find("\"message\": \"'b\xC3\xA4s1' \x69\xCC\x81"), std::string::npos) << strJson;
}

// The verbs of a summary counted as Russian counts them: the form follows the count.
TEST(TranslatedFindings, ACountedTextTakesTheFormOfItsCount)
{
    const PseudoLanguage language;
    TempDir dir;
    const std::tuple<std::size_t, const char*> rows[] = {
        {1, "\xD1\x84" "0"}, {2, "\xD1\x84" "1"}, {5, "\xD1\x84" "2"}, {11, "\xD1\x84" "2"},
        {21, "\xD1\x84" "0"}, {22, "\xD1\x84" "1"},
    };
    for (const auto& [nVerbs, pszForm] : rows)
    {
        std::string strList = "# t\ntitle\n#\n#\n";
        for (std::size_t i = 0; i < nVerbs; ++i)
            strList += "ess1\nwent" + std::to_string(i) + "\ngo" + std::to_string(i) + "\ngone\n";
        const std::string strPath = dir.Write("list.ver", strList).string();
        const std::string strReport = TextReport(strPath, CheckVerbListFile(strPath, AllFlags<GroupSet>()), {});
        const std::string strFirst = strReport.substr(0, strReport.find('\n'));
        EXPECT_NE(strFirst.find(std::string(": ") + std::to_string(nVerbs) + " "), std::string::npos)
            << strFirst;
        EXPECT_NE(strFirst.find(pszForm), std::string::npos) << nVerbs << ": " << strFirst;
    }
}
