// The help book under res/help as the toolkit's help reader sees it, its pages, links and
// verb list example, and where HelpViewer looks for the book. No window, no display needed.
#include "framework/wx/HelpViewer.h"
#include "verbdata/VerbListReader.h"

#include <gtest/gtest.h>

#include <wx/html/helpdata.h>
#include <wx/init.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const fs::path kBookDir = fs::path(TALDRIN_SOURCE_DIR) / "res" / "help";
const fs::path kProject = kBookDir / "verbhlp.hhp";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& strText)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << strText;
}

std::string ToUtf8(const wxString& str)
{
    return std::string(str.utf8_str());
}

// "page.html#anchor" split at the "#"; no "#" gives an empty anchor.
std::pair<std::string, std::string> SplitLink(const std::string& strLink)
{
    const std::size_t nHash = strLink.find('#');
    if (nHash == std::string::npos)
        return {strLink, ""};
    return {strLink.substr(0, nHash), strLink.substr(nHash + 1)};
}

// The pages named in the project's [FILES] section, in order.
std::vector<std::string> ListedPages()
{
    std::istringstream in(ReadFile(kProject));
    std::vector<std::string> pages;
    bool bInFiles = false;
    for (std::string strLine; std::getline(in, strLine);)
    {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (!strLine.empty() && strLine.front() == '[')
            bInFiles = strLine == "[FILES]";
        else if (bInFiles && !strLine.empty())
            pages.push_back(strLine);
    }
    return pages;
}

std::vector<std::string> Matches(const std::string& strText, const std::regex& pattern)
{
    std::vector<std::string> matches;
    for (auto it = std::sregex_iterator(strText.begin(), strText.end(), pattern);
         it != std::sregex_iterator(); ++it)
        matches.push_back((*it)[1].str());
    return matches;
}

std::vector<std::string> Links(const std::string& strPage)
{
    static const std::regex kHref(R"(<a\s[^>]*href\s*=\s*"([^"]*)\")", std::regex::icase);
    return Matches(strPage, kHref);
}

std::set<std::string> Anchors(const std::string& strPage)
{
    static const std::regex kName(R"(<a\s[^>]*name\s*=\s*"([^"]*)\")", std::regex::icase);
    const std::vector<std::string> names = Matches(strPage, kName);
    return {names.begin(), names.end()};
}

// Well-formed UTF-8: no stray continuation byte, no truncated or overlong sequence.
bool IsUtf8(const std::string& strText)
{
    for (std::size_t i = 0; i < strText.size();)
    {
        const auto c = static_cast<unsigned char>(strText[i]);
        const std::size_t nLength = c < 0x80             ? 1
                                    : (c & 0xE0) == 0xC0 ? 2
                                    : (c & 0xF0) == 0xE0 ? 3
                                    : (c & 0xF8) == 0xF0 ? 4
                                                         : 0;
        if (nLength == 0 || (nLength == 2 && c < 0xC2) || i + nLength > strText.size())
            return false;
        for (std::size_t k = 1; k < nLength; ++k)
            if ((static_cast<unsigned char>(strText[i + k]) & 0xC0) != 0x80)
                return false;
        i += nLength;
    }
    return true;
}

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir
{
public:
    TempDir()
    {
        static std::atomic<int> s_nCount{0};
        const auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = fs::temp_directory_path() /
                 ("taldrin-help-" + std::to_string(nTicks) + "-" + std::to_string(s_nCount++));
        fs::create_directories(m_path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// The toolkit's object array has no iterators of its own.
std::vector<const wxHtmlHelpDataItem*> Items(const wxHtmlHelpDataItems& items)
{
    std::vector<const wxHtmlHelpDataItem*> result;
    for (std::size_t i = 0; i < items.size(); ++i)
        result.push_back(&items[i]);
    return result;
}

wxString ToWx(const fs::path& path)
{
    return wxString::FromUTF8(path.u8string().c_str());
}

void ExpectSameFile(const std::optional<wxString>& found, const fs::path& expected)
{
    ASSERT_TRUE(found.has_value()) << "expected " << expected << ", found nothing";
    const fs::path path = fs::u8path(ToUtf8(*found));
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_TRUE(fs::exists(path) && fs::equivalent(path, expected))
        << "expected " << expected << ", found " << path;
}

} // namespace

TEST(HelpViewerFindHelpBook, FindsTheBookInTheWorkingDirectoryFirst)
{
    TempDir temp;
    const fs::path work = temp.Path() / "work", program = temp.Path() / "prefix" / "bin";
    WriteFile(work / "verbhlp.hhp", "[OPTIONS]\n");
    WriteFile(program / "help" / "verbhlp.hhp", "[OPTIONS]\n");
    WriteFile(temp.Path() / "prefix" / "share" / "taldrin" / "help" / "verbhlp.hhp", "[OPTIONS]\n");

    ExpectSameFile(HelpViewer::FindHelpBook(ToWx(work), ToWx(program)), work / "verbhlp.hhp");
}

TEST(HelpViewerFindHelpBook, FindsTheBookInTheHelpFolderBesideTheProgram)
{
    TempDir temp;
    const fs::path work = temp.Path() / "work", program = temp.Path() / "prefix" / "bin";
    fs::create_directories(work);
    WriteFile(program / "help" / "verbhlp.hhp", "[OPTIONS]\n");
    WriteFile(temp.Path() / "prefix" / "share" / "taldrin" / "help" / "verbhlp.hhp", "[OPTIONS]\n");

    ExpectSameFile(HelpViewer::FindHelpBook(ToWx(work), ToWx(program)),
                   program / "help" / "verbhlp.hhp");
}

TEST(HelpViewerFindHelpBook, FindsTheInstalledBook)
{
    TempDir temp;
    const fs::path work = temp.Path() / "work", program = temp.Path() / "prefix" / "bin";
    fs::create_directories(work);
    fs::create_directories(program);
    const fs::path installed =
        temp.Path() / "prefix" / "share" / "taldrin" / "help" / "verbhlp.hhp";
    WriteFile(installed, "[OPTIONS]\n");

    ExpectSameFile(HelpViewer::FindHelpBook(ToWx(work), ToWx(program)), installed);
}

TEST(HelpViewerFindHelpBook, ReturnsNothingWhenNoBookExists)
{
    TempDir temp;
    const fs::path work = temp.Path() / "work", program = temp.Path() / "prefix" / "bin";
    fs::create_directories(work);
    fs::create_directories(program / "help");
    // A folder of that name, and a book of another name, are no book.
    fs::create_directories(work / "verbhlp.hhp");
    WriteFile(program / "help" / "other.hhp", "[OPTIONS]\n");

    const std::optional<wxString> found = HelpViewer::FindHelpBook(ToWx(work), ToWx(program));
    EXPECT_FALSE(found.has_value()) << "found " << ToUtf8(found.value_or(wxString()));
}

class HelpBook : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_pInitializer = std::make_unique<wxInitializer>(); }
    static void TearDownTestSuite() { s_pInitializer.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_pInitializer->IsOk());
        ASSERT_TRUE(m_data.AddBook(ToWx(kProject))) << kProject;
    }

    wxHtmlHelpData m_data;

private:
    static std::unique_ptr<wxInitializer> s_pInitializer;
};

std::unique_ptr<wxInitializer> HelpBook::s_pInitializer;

TEST_F(HelpBook, OpensOnTheContentsPage)
{
    const wxHtmlBookRecArray& books = m_data.GetBookRecArray();
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(ToUtf8(books[0].GetTitle()), "Taldrin Help");
    EXPECT_EQ(ToUtf8(books[0].GetStart()), "contents.html");

    // The tree's first entry stands for the book and shows its start page.
    const wxHtmlHelpDataItems& contents = m_data.GetContentsArray();
    ASSERT_FALSE(contents.empty());
    EXPECT_EQ(ToUtf8(contents[0].name), "Taldrin Help");
    EXPECT_EQ(ToUtf8(contents[0].page), "contents.html");

    const std::vector<std::string> listed = ListedPages();
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.front(), "contents.html") << "the contents page is listed first";
}

TEST_F(HelpBook, ContentsHoldEveryListedPageOnce)
{
    std::map<std::string, int> contents;
    for (const wxHtmlHelpDataItem* pItem : Items(m_data.GetContentsArray()))
        ++contents[SplitLink(ToUtf8(pItem->page)).first];

    for (const std::string& strPage : ListedPages())
        EXPECT_EQ(contents[strPage], 1) << strPage << " in the contents";
    const std::vector<std::string> listed = ListedPages();
    for (const auto& [strPage, nCount] : contents)
        EXPECT_NE(std::find(listed.begin(), listed.end(), strPage), listed.end())
            << strPage << " is in the contents but not in [FILES]";
}

TEST_F(HelpBook, ContentsNamesAreThePageTitles)
{
    static const std::regex kTitle(R"(<title>([^<]*)</title>)", std::regex::icase);
    std::size_t nChecked = 0;
    for (const wxHtmlHelpDataItem* pItem : Items(m_data.GetContentsArray()))
    {
        const std::string strPage = SplitLink(ToUtf8(pItem->page)).first;
        std::smatch match;
        const std::string strText = ReadFile(kBookDir / strPage);
        ASSERT_TRUE(std::regex_search(strText, match, kTitle)) << strPage << " has no title";
        EXPECT_EQ(ToUtf8(pItem->name), match[1].str()) << strPage;
        ++nChecked;
    }
    EXPECT_GE(nChecked, ListedPages().size());
}

TEST_F(HelpBook, EveryHtmlFileIsListed)
{
    const std::vector<std::string> listed = ListedPages();
    for (const fs::directory_entry& entry : fs::directory_iterator(kBookDir))
    {
        if (entry.path().extension() != ".html")
            continue;
        const std::string strName = entry.path().filename().string();
        EXPECT_NE(std::find(listed.begin(), listed.end(), strName), listed.end())
            << strName << " is not in [FILES]";
    }
}

TEST_F(HelpBook, EveryContentsAndIndexEntryLeadsToAnExistingPlace)
{
    ASSERT_GE(m_data.GetIndexArray().size(), ListedPages().size()) << "the index is nearly empty";
    for (const wxHtmlHelpDataItems* pItems : {&m_data.GetContentsArray(), &m_data.GetIndexArray()})
        for (const wxHtmlHelpDataItem* pItem : Items(*pItems))
        {
            const auto [strPage, strAnchor] = SplitLink(ToUtf8(pItem->page));
            const std::string strEntry = ToUtf8(pItem->name) + " -> " + ToUtf8(pItem->page);
            EXPECT_FALSE(ToUtf8(pItem->name).empty()) << strEntry;
            ASSERT_TRUE(fs::is_regular_file(kBookDir / strPage)) << strEntry;
            if (!strAnchor.empty())
            {
                EXPECT_EQ(Anchors(ReadFile(kBookDir / strPage)).count(strAnchor), 1u) << strEntry;
            }
        }
}

TEST_F(HelpBook, EveryListedPageExistsAndDeclaresUtf8)
{
    static const std::regex kCharset(
        R"(<meta\s+http-equiv\s*=\s*"Content-Type"\s+content\s*=\s*"text/html;\s*charset=utf-8"\s*/?>)",
        std::regex::icase);
    for (const std::string& strPage : ListedPages())
    {
        const fs::path path = kBookDir / strPage;
        ASSERT_TRUE(fs::is_regular_file(path)) << path;
        const std::string strText = ReadFile(path);
        EXPECT_TRUE(std::regex_search(strText, kCharset))
            << strPage << " lacks the charset meta tag";
        EXPECT_TRUE(IsUtf8(strText)) << strPage << " is not valid UTF-8";
    }
}

// Offline: nothing leaves the book. A link is a page of the book, optionally with an
// anchor that the page defines, or an anchor of the same page.
TEST_F(HelpBook, EveryLinkResolvesInsideTheBook)
{
    std::size_t nLinks = 0;
    for (const std::string& strPage : ListedPages())
        for (const std::string& strLink : Links(ReadFile(kBookDir / strPage)))
        {
            ++nLinks;
            const std::string strWhere = strPage + ": " + strLink;
            EXPECT_EQ(strLink.find(':'), std::string::npos) << strWhere << " leaves the book";
            const auto [strTarget, strAnchor] = SplitLink(strLink);
            const std::string strFile = strTarget.empty() ? strPage : strTarget;
            ASSERT_TRUE(fs::is_regular_file(kBookDir / strFile)) << strWhere;
            if (!strAnchor.empty())
            {
                EXPECT_EQ(Anchors(ReadFile(kBookDir / strFile)).count(strAnchor), 1u) << strWhere;
            }
        }
    EXPECT_GE(nLinks, ListedPages().size()) << "every page links at least back to the contents";
}

TEST_F(HelpBook, EveryPageCanBeReachedFromTheContentsPage)
{
    std::set<std::string> reached{"contents.html"};
    std::vector<std::string> pending{"contents.html"};
    while (!pending.empty())
    {
        const std::string strPage = pending.back();
        pending.pop_back();
        for (const std::string& strLink : Links(ReadFile(kBookDir / strPage)))
        {
            const std::string strTarget = SplitLink(strLink).first;
            if (!strTarget.empty() && fs::is_regular_file(kBookDir / strTarget) &&
                reached.insert(strTarget).second)
                pending.push_back(strTarget);
        }
    }
    for (const std::string& strPage : ListedPages())
        EXPECT_EQ(reached.count(strPage), 1u) << strPage << " cannot be reached by links";
}

// The example a reader would copy must itself be a list that reads to its end.
TEST(HelpBookVerbListPage, ExampleIsAWorkingVerbList)
{
    static const std::regex kExample(R"(<a name="example">[\s\S]*?<pre>\n?([\s\S]*?)</pre>)");
    const std::string strPage = ReadFile(kBookDir / "verblist.html");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(strPage, match, kExample)) << "no <pre> after the example anchor";
    std::string strList = match[1].str();
    const std::pair<std::string, std::string> kEntities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [strEntity, strChar] : kEntities)
        for (std::size_t p = strList.find(strEntity); p != std::string::npos;
             p = strList.find(strEntity, p + 1))
            strList.replace(p, strEntity.size(), strChar);

    std::istringstream lines(strList);
    for (std::string strLine; std::getline(lines, strLine);)
        EXPECT_LE(strLine.size(), kMaxLineLength)
            << "\"" << strLine << "\" is too long for a verb list";

    DirectionSet directions;
    directions.Set(0, true); // Infinitive to Past Tense
    GroupSet groups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, true);
    QuestionPool pool;
    std::istringstream in(strList);
    EXPECT_TRUE(ReadVerbList(in, false, directions, groups, pool) == VerbListEnd::EndOfFile)
        << "the reading stopped before the end of the example";

    std::vector<std::pair<std::string, std::string>> questions;
    for (const Question& question : pool)
        questions.emplace_back(question.GetPrompt(), question.GetExpected());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"go", "went"}, {"take", "took"}, {"learn", "/learnt /learned"}};
    EXPECT_EQ(questions, expected);
}
