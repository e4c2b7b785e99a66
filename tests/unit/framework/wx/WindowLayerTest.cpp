// The window layer without a display: CairoDC playing tests/data/cairo.trace, Latin-1, the help book.
#include "framework/View.h"
#include "framework/wx/CairoDC.h"
#include "framework/wx/HelpViewer.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/Pictures.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "support/FakeViewWindow.h"
#include "support/Transcripts.h"

#include <cairo.h>

#include <algorithm>
#include <regex>

namespace fs = std::filesystem;

// Steps: canvas W H [GREY]; font H W [TURN WEIGHT STRUCK]; text L T R B FORMAT|TEXT; extent|TEXT; rect
// L T R B [0xRRGGBB brush]; clip, visible, ink L T R B; picture L T R B PICTURE MASK; pixels X Y N; page
// L T R B; paint. The pixels are those of the build's cairo and Liberation fonts, read against metrics.
TEST(CairoDC, TranscriptsDrawAsRecorded)
{
    std::shared_ptr<cairo_surface_t> pSurface;
    std::shared_ptr<cairo_t> pCairo;
    std::unique_ptr<CairoDC> pDC;
    FontSpec font;
    Colour brush = 0;
    const auto pixel = [&](int x, int y) { // 0xRRGGBB
        cairo_surface_flush(pSurface.get());
        return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pSurface.get()) + y * cairo_image_surface_get_stride(pSurface.get()))[x] & 0xFFFFFF;
    };
    CheckTranscripts(TALDRIN_SOURCE_DIR "/tests/data/cairo.trace", [&](std::string& out) -> Verbs { return {
        {"canvas", [&](const Step& s) {
             pSurface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(s.n[0]), int(s.n[1])), cairo_surface_destroy);
             pCairo.reset(cairo_create(pSurface.get()), cairo_destroy);
             cairo_set_source_rgb(pCairo.get(), s.n[2] ? s.n[2] / 255.0 : 1, s.n[2] ? s.n[2] / 255.0 : 1, s.n[2] ? s.n[2] / 255.0 : 1), cairo_paint(pCairo.get());
             pDC = std::make_unique<CairoDC>(pCairo.get(), LoadPicture);
             pDC->SetBkMode(BK_TRANSPARENT), pDC->SelectFont(&font);
         }},
        {"font", [&](const Step& s) { font = {"Arial", int(s.n[0]), int(s.n[1]), int(s.n[2]), int(s.n[3]), s.n[4] != 0}; }},
        {"text", [&](const Step& s) { pDC->DrawText(s.text, s.rect(), unsigned(s.n[4])); }},
        {"extent", [&](const Step& s) { out += Format("= %lld %lld\n", pDC->GetTextExtent(s.text).cx, pDC->GetTextExtent(s.text).cy); }},
        {"rect", [&](const Step& s) { brush = Rgb(int(s.n[4] >> 16), int(s.n[4] >> 8 & 255), int(s.n[4] & 255)), pDC->SelectBrush(s.count > 4 ? &brush : nullptr), pDC->Rectangle(s.rect()); }},
        {"picture", [&](const Step& s) { pDC->DrawMaskedPicture(Picture(s.n[5]), Picture(s.n[4]), s.rect()); }},
        {"clip", [&](const Step& s) { cairo_rectangle(pCairo.get(), s.n[0], s.n[1], s.n[2] - s.n[0], s.n[3] - s.n[1]), cairo_clip(pCairo.get()); }},
        {"visible", [&](const Step& s) { out += Format("= %lld\n", pDC->RectVisible(s.rect())); }},
        {"ink", [&](const Step& s) { // the box around the clearly dark pixels, or none
             Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
             for (int y = int(s.n[1]); y < s.n[3]; ++y)
                 for (int x = int(s.n[0]); x < s.n[2]; ++x)
                     if (const std::uint32_t p = pixel(x, y); std::min({p >> 16, p >> 8 & 0xFF, p & 0xFF}) < 192)
                         box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
             out += "= " + (box.right < 0 ? "none" : Str(box)) + "\n";
         }},
        {"pixels", [&](const Step& s) {
             for (int x = int(s.n[0]); x < s.n[0] + s.n[2]; ++x)
                 out += Format(x == s.n[0] ? "= %06llx" : " %06llx", pixel(x, int(s.n[1]))) + (x + 1 < s.n[0] + s.n[2] ? "" : "\n");
         }},
        {"paint", [&](const Step&) { PaintView(pCairo.get(), nullptr); }},
        {"page", [&](const Step& s) { // a view filling its window's client area with red, printed inside a margin
             struct RedView : CView
             {
                 using CView::CView;
                 void OnDraw(CDC* pDC) override { static const Colour red = Rgb(255, 0, 0); pDC->SelectBrush(&red), pDC->Rectangle(m_window.GetClientRect()); }
             };
             FakeViewWindow window;
             window.client = s.rect();
             RedView view(window);
             DrawScreenOnPage(pCairo.get(), cairo_image_surface_get_width(pSurface.get()), cairo_image_surface_get_height(pSurface.get()), s.n[4], view);
         }},
    }; });
}

TEST(WindowBoundary, TranslatesLatin1)
{
    EXPECT_EQ(FromLatin1(std::string("A\xE9\0\xFF", 4)), wxString(L"A\u00E9\0\u00FF", 4));
    EXPECT_EQ(ToLatin1(wxString(L"A\u00E9\u20AC\u00FF")), "A\xE9\xFF");
}

TEST(HelpViewer, FindsTheBookInTheWorkingFolderTheUsersThenBesideTheProgramThenInstalled)
{
    TempDir dir;
    const std::string strWork = (dir.Path() / "work").string(), strData = (dir.Path() / "data").string(),
                      strProgram = (dir.Path() / "bin").string();
    for (const fs::path& book : {dir.Write("work/verbhlp.hhp", ""), dir.Write("data/help/verbhlp.hhp", ""),
                                 dir.Write("bin/help/verbhlp.hhp", ""), dir.Write("share/taldrin/help/verbhlp.hhp", "")})
    {
        const auto found = HelpViewer::FindHelpBook(strWork, strData, strProgram); // each while there, before those after it
        EXPECT_TRUE(found && fs::path(found->ToStdString()).is_absolute() && fs::equivalent(found->ToStdString(), book)) << book;
        fs::remove(book);
    }
    // The book in the language comes first in each folder; a territory falls back to its language.
    const fs::path english = dir.Write("bin/help/verbhlp.hhp", "");
    const fs::path portuguese = dir.Write("bin/help/pt/verbhlp.hhp", "");
    for (const auto& [strLanguage, book] : {std::pair{"pt_BR", portuguese}, {"pt", portuguese}, {"de", english}, {"", english}})
    {
        const auto found = HelpViewer::FindHelpBook(strWork, strData, strProgram, strLanguage);
        EXPECT_TRUE(found && fs::equivalent(found->ToStdString(), book)) << strLanguage;
    }
}

TEST(HelpViewer, FindsTheLicenceBesideTheProgramThenInstalled)
{
    TempDir dir;
    const std::string strProgram = (dir.Path() / "bin").string();
    EXPECT_FALSE(HelpViewer::FindLicence(strProgram));
    for (const fs::path& file : {dir.Write("bin/COPYING.txt", ""), dir.Write("bin/COPYING", ""), dir.Write("share/taldrin/COPYING", "")})
    {
        const auto found = HelpViewer::FindLicence(strProgram); // each while there, before those after it
        EXPECT_TRUE(found && fs::path(found->ToStdString()).is_absolute() && fs::equivalent(found->ToStdString(), file)) << file;
        fs::remove(file);
    }
}

// The English help book and each translated one (a folder of its own beside the English
// pages, named after its language, with a verbhlp.hhp).
static std::vector<fs::path> HelpBooks()
{
    const fs::path english = fs::path(TALDRIN_SOURCE_DIR) / "res" / "help";
    std::vector<fs::path> books{english};
    for (const fs::directory_entry& entry : fs::directory_iterator(english))
        if (fs::is_regular_file(entry.path() / "verbhlp.hhp"))
            books.push_back(entry.path());
    return books;
}

// Every page of each help book declares its charset; every link of a page, the contents or
// the index names a page of the same book ("" for its own) and an anchor that page defines.
TEST(HelpBook, PagesDeclareTheirCharsetAndLinksResolve)
{
    for (const fs::path& folder : HelpBooks())
    {
        std::size_t nLinks = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        {
            if (!entry.is_regular_file())
                continue;
            const std::string strName = entry.path().filename().string(), strText = TempDir::Read(entry.path());
            EXPECT_TRUE(entry.path().extension() != ".html" || strText.find("charset=utf-8\"") != std::string::npos) << entry.path();
            const std::regex link(R"re((?:href|"Local" value)="([^"#]*)#?([^"]*)")re");
            for (std::sregex_iterator it(strText.begin(), strText.end(), link), end; it != end; ++it, ++nLinks)
            {
                const fs::path page = folder / ((*it)[1].length() ? (*it)[1].str() : strName);
                EXPECT_TRUE(fs::is_regular_file(page) && (!(*it)[2].length() || TempDir::Read(page).find("name=\"" + (*it)[2].str() + "\"") != std::string::npos))
                    << entry.path() << ": " << (*it)[0];
            }
        }
        EXPECT_GT(nLinks, 50u) << folder;
    }
}

// A translated book has every file and anchor of the English one (the editor opens
// editor.html by name, the help window the project file), marks its pages with its
// language, and its project file names a language other than English.
TEST(HelpBook, TranslationsHaveEveryPageAndAnchorOfTheEnglishBook)
{
    const std::vector<fs::path> books = HelpBooks();
    EXPECT_GE(books.size(), 2u);
    const auto anchors = [](const fs::path& file) {
        const std::string strText = TempDir::Read(file);
        const std::regex name(R"re(name="([^"]+)")re");
        std::vector<std::string> found;
        for (std::sregex_iterator it(strText.begin(), strText.end(), name), end; it != end; ++it)
            found.push_back((*it)[1]);
        std::sort(found.begin(), found.end());
        return found;
    };
    for (std::size_t i = 1; i < books.size(); ++i)
    {
        std::string strLanguage = books[i].filename().string();
        std::replace(strLanguage.begin(), strLanguage.end(), '_', '-');
        for (const fs::directory_entry& entry : fs::directory_iterator(books[0]))
        {
            const fs::path extension = entry.path().extension();
            if (extension != ".html" && extension != ".hhc" && extension != ".hhk" && extension != ".hhp")
                continue;
            const fs::path translated = books[i] / entry.path().filename();
            if (!fs::is_regular_file(translated))
            {
                ADD_FAILURE() << translated << " is missing";
                continue;
            }
            if (extension != ".html")
                continue;
            const std::vector<std::string> english = anchors(entry.path()), own = anchors(translated);
            EXPECT_TRUE(std::includes(own.begin(), own.end(), english.begin(), english.end())) << translated << " lacks an anchor";
            EXPECT_NE(TempDir::Read(translated).find("<html lang=\"" + strLanguage + "\">"), std::string::npos)
                << translated << " is not marked lang=\"" << strLanguage << '"';
        }
        const std::string strProject = TempDir::Read(books[i] / "verbhlp.hhp");
        EXPECT_TRUE(std::regex_search(strProject, std::regex("\nLanguage=0x[0-9a-f]+ ")) &&
                    strProject.find("\nLanguage=0x409 ") == std::string::npos)
            << books[i] << ": the project file names no language of its own";
    }
}
