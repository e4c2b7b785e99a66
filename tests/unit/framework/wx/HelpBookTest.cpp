// The help book under res/help as the toolkit's help reader sees it, its pages and links,
// and where HelpViewer looks for the book. No window, no display needed.
#include "framework/wx/HelpViewer.h"

#include <gtest/gtest.h>

#include <wx/html/helpdata.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
const fs::path kBookDir = fs::path(TALDRIN_SOURCE_DIR) / "res" / "help";

std::string ReadFile(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

wxString ToWx(const fs::path& path) { return wxString::FromUTF8(path.u8string().c_str()); }

// Whether "page.html#anchor", "page.html" or "#anchor" (on strFrom) names a page of the
// book and an anchor that page defines.
bool Resolves(const std::string& strLink, const std::string& strFrom)
{
    const std::size_t nHash = std::min(strLink.find('#'), strLink.size());
    const std::string strPage = nHash == 0 ? strFrom : strLink.substr(0, nHash);
    if (strPage.find(':') != std::string::npos || !fs::is_regular_file(kBookDir / strPage))
        return false;
    if (nHash == strLink.size())
        return true;
    const std::string strAnchor = strLink.substr(nHash + 1);
    const std::regex name("<a\\s[^>]*name\\s*=\\s*\"" + strAnchor + "\"", std::regex::icase);
    return std::regex_search(ReadFile(kBookDir / strPage), name);
}
} // namespace

TEST(HelpViewerFindHelpBook, LooksInTheWorkingDirectoryTheUsersFolderThenBesideTheProgram)
{
    const fs::path root = fs::temp_directory_path() /
                          ("taldrin-help-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    const fs::path work = root / "work", data = root / "data", program = root / "prefix" / "bin";
    const fs::path books[] = {work / "verbhlp.hhp", data / "help" / "verbhlp.hhp",
                              program / "help" / "verbhlp.hhp",
                              root / "prefix" / "share" / "taldrin" / "help" / "verbhlp.hhp"};
    for (const fs::path& book : books)
    {
        fs::create_directories(book.parent_path());
        std::ofstream(book) << "[OPTIONS]\n";
    }
    // Each book is found while it exists, before the ones after it.
    for (const fs::path& book : books)
    {
        const std::optional<wxString> found =
            HelpViewer::FindHelpBook(ToWx(work), ToWx(data), ToWx(program));
        ASSERT_TRUE(found.has_value()) << "expected " << book;
        const fs::path path = fs::u8path(std::string(found->utf8_str()));
        EXPECT_TRUE(path.is_absolute() && fs::equivalent(path, book)) << "found " << path << " for " << book;
        fs::remove(book);
    }
    // A folder of that name is no book.
    fs::create_directories(work / "verbhlp.hhp");
    EXPECT_FALSE(HelpViewer::FindHelpBook(ToWx(work), ToWx(data), ToWx(program)).has_value());
    fs::remove_all(root);
}

TEST(HelpBook, LoadsAndItsPagesAndLinksHoldTogether)
{
    wxInitializer initializer;
    ASSERT_TRUE(initializer.IsOk());
    wxHtmlHelpData data;
    ASSERT_TRUE(data.AddBook(ToWx(kBookDir / "verbhlp.hhp")));
    ASSERT_EQ(data.GetBookRecArray().size(), 1u);
    EXPECT_EQ(data.GetBookRecArray()[0].GetStart(), "contents.html");

    // Every page of the book: all the HTML files beside the project are installed with it.
    std::vector<std::string> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(kBookDir))
        if (entry.path().extension() == ".html")
            pages.push_back(entry.path().filename().string());
    ASSERT_GE(pages.size(), 2u);
    std::set<std::string> inContents;
    const wxHtmlHelpDataItems& contents = data.GetContentsArray();
    const wxHtmlHelpDataItems& index = data.GetIndexArray();
    EXPECT_GE(index.size(), pages.size()) << "the index is nearly empty";
    for (const wxHtmlHelpDataItems* pItems : {&contents, &index})
        for (std::size_t i = 0; i < pItems->size(); ++i)
        {
            const std::string strTarget((*pItems)[i].page.utf8_str());
            EXPECT_TRUE(Resolves(strTarget, "")) << (*pItems)[i].name.utf8_str() << " -> " << strTarget;
            if (pItems == &contents)
                inContents.insert(strTarget.substr(0, strTarget.find('#')));
        }

    const std::regex charset(
        R"(<meta\s+http-equiv\s*=\s*"Content-Type"\s+content\s*=\s*"text/html;\s*charset=utf-8"\s*/?>)",
        std::regex::icase);
    const std::regex href(R"(<a\s[^>]*href\s*=\s*"([^"]*)\")", std::regex::icase);
    std::size_t nLinks = 0;
    for (const std::string& strPage : pages)
    {
        EXPECT_EQ(inContents.count(strPage), 1u) << strPage << " is missing from the contents";
        const std::string strText = ReadFile(kBookDir / strPage);
        EXPECT_TRUE(std::regex_search(strText, charset)) << strPage << " lacks the charset meta tag";
        for (std::sregex_iterator it(strText.begin(), strText.end(), href), end; it != end; ++it, ++nLinks)
            EXPECT_TRUE(Resolves((*it)[1].str(), strPage)) << strPage << ": " << (*it)[1].str();
    }
    EXPECT_GE(nLinks, pages.size()) << "every page links at least back to the contents";
}
