// The window layer on a private X server with the real view and document, and CairoDC's text
// in scripts its face lacks (the rest of its text: cairo.trace).
#include "framework/Dialog.h"
#include "framework/wx/BusyWait.h"
#include "framework/wx/CairoDC.h"
#include "framework/wx/Closing.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/TemplateDialog.h"
#include "framework/wx/ViewPrinting.h"
#include "lesson/VespinDoc.h"
#include "res/DialogTemplates.h"
#include "support/MemorySettingsStore.h"
#include "support/PseudoCatalog.h"
#include "view/VespinView.h"

#include <wx/app.h>
#include <wx/dcgraph.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/graphics.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cairo.h>
#include <pango/pangocairo.h>

#include <atomic>
#include <climits>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace
{
// The modal dialog open (of this title), if any.
wxDialog* OpenDialog(const wxString& strTitle = "")
{
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (auto* pDialog = dynamic_cast<wxDialog*>(pWindow); pDialog && pDialog->IsModal() && (strTitle.empty() || pDialog->GetTitle() == strTitle))
            return pDialog;
    return nullptr;
}

class ViewCanvasTest : public testing::Test
{
protected:
    ViewCanvasTest() { m_doc.m_pool.resize(1000), m_pCanvas->SetView(&m_view), m_pFrame->Show(); }
    ~ViewCanvasTest() override { m_pCanvas->SetView(nullptr), m_pFrame->Destroy(), wxTheApp->Yield(true); }

    // Runs the event loop until the caret has blinked (timer 101) nBlinks times in all, or the time is up.
    bool BlinksReach(std::size_t nBlinks, int nMilliseconds = 10000)
    {
        for (const wxLongLong deadline = wxGetLocalTimeMillis() + nMilliseconds; m_nBlinks < nBlinks && wxGetLocalTimeMillis() <= deadline; wxMilliSleep(2))
            wxTheApp->Yield(true), m_nBlinks += std::exchange(m_bCaretOn, m_doc.m_bCaretOn) != m_doc.m_bCaretOn;
        return m_nBlinks >= nBlinks;
    }

    wxFrame* m_pFrame = new wxFrame(nullptr, wxID_ANY, "canvas");
    ViewCanvas* m_pCanvas = new ViewCanvas(m_pFrame);
    MemorySettingsStore m_store;
    CVespinDoc m_doc{m_store};
    CVespinView m_view{m_doc, *m_pCanvas};
    std::size_t m_nBlinks = 0; bool m_bCaretOn = false; // the blinks counted, and the caret's phase at the last count
};

TEST_F(ViewCanvasTest, HandsTheViewLatin1CharactersAndEditingKeysAndPassesEveryKeyOn)
{
    for (const auto& [type, nCode, bAlt, bControl] : {std::tuple{wxEVT_CHAR, int{'a'}, false, false}, {wxEVT_CHAR, 0xE9, false, false},
             {wxEVT_CHAR, 0x20AC, false, false}, {wxEVT_CHAR, 'f', true, false}, {wxEVT_CHAR, '@', true, true},
             {wxEVT_KEY_DOWN, WXK_NUMPAD_HOME, false, false}, {wxEVT_KEY_DOWN, WXK_UP, false, false}})
    {
        wxKeyEvent event(type);
        event.m_uniChar = static_cast<wxChar>(nCode), event.m_keyCode = nCode, event.SetAltDown(bAlt), event.SetControlDown(bControl);
        EXPECT_FALSE(m_pCanvas->ProcessWindowEvent(event)) << "passed on: " << nCode;
    }
    EXPECT_EQ(m_doc.m_strTyped, "a\xE9@") << "none above U+00FF, none with Alt alone";
    EXPECT_EQ(m_doc.m_nCaret, 0) << "Home";
}

TEST_F(ViewCanvasTest, TimersTickUntilKilled)
{
    m_pCanvas->SetTimer(101, 10);
    EXPECT_TRUE(BlinksReach(3));
    m_pCanvas->KillTimer(101);
    EXPECT_FALSE(BlinksReach(4, 200)) << "a tick after KillTimer";
    m_pCanvas->SetTimer(101, 10);
    EXPECT_TRUE(BlinksReach(5)) << "started again";
}

TEST_F(ViewCanvasTest, StatisticsShowEveryLineOfTheLongestReports)
{
    for (const auto& [nRight, nWrong] : {std::pair(0u, 1000u), {1u, 1u}, {1000u, 1000u}, {1u, 1000u}})
    {
        m_doc.m_stats.m_nRight = nRight, m_doc.m_stats.m_nWrong = nWrong;
        wxTheApp->CallAfter([] { // runs in the dialog's modal loop
            wxDialog* pDialog = OpenDialog();
            ASSERT_TRUE(pDialog);
            const wxWindow* pText = pDialog->FindWindow(IDC_STATISTICS_TEXT);
            const wxSize needed = pText->GetBestSize(), size = pText->GetSize();
            EXPECT_TRUE(needed.x <= size.x && needed.y <= size.y) << pText->GetLabel() << "\nneeds " << needed.x << " x " << needed.y << ", has " << size.x << " x " << size.y;
            pDialog->EndModal(wxID_OK);
        });
        m_view.OnStatistics();
    }
}

// Every template dialog, in English and in the pseudo-language, inspected while it runs: in
// English every control where the template puts it; translated, every text translated and
// fitting its control (the toolkit asks a few pixels more height than the template gives
// some English controls: no more than that), no control over another (but a group box
// around what it holds), and every control inside the dialog.
TEST_F(ViewCanvasTest, TemplateDialogsKeepTheEnglishGeometryAndFitTranslatedWords)
{
    std::map<const ControlTemplate*, wxSize> englishNeeds;
    const auto inspect = [&englishNeeds](const DialogTemplate& dialogTemplate, bool bTranslated) {
        wxDialog* pDialog = OpenDialog();
        ASSERT_TRUE(pDialog) << dialogTemplate.Title;
        const std::string strWhere = std::string(dialogTemplate.Title) + (bTranslated ? " translated" : "");
        const wxWindowList& children = pDialog->GetChildren();
        ASSERT_EQ(children.size(), dialogTemplate.Controls.size()) << strWhere;
        EXPECT_EQ(pDialog->GetTitle().ToStdString(wxConvUTF8), Tr(dialogTemplate.Title)) << strWhere;
        const wxRect client(pDialog->GetClientSize());
        if (!bTranslated)
            EXPECT_EQ(client.GetSize(), pDialog->ConvertDialogToPixels(wxSize(dialogTemplate.Width, dialogTemplate.Height))) << strWhere;
        std::vector<std::pair<wxRect, ControlKind>> placed;
        auto itChild = children.begin();
        for (const ControlTemplate& control : dialogTemplate.Controls)
        {
            const wxWindow* pControl = *itChild++;
            const wxRect rect = pControl->GetRect();
            const std::string strControl = strWhere + ": " + control.Text;
            if (!bTranslated)
            {
                englishNeeds[&control] = pControl->GetBestSize();
                EXPECT_EQ(rect.GetPosition(), pDialog->ConvertDialogToPixels(wxPoint(control.X, control.Y))) << strControl;
                if (control.Kind != ControlKind::Icon)
                    EXPECT_EQ(rect.GetSize(), pDialog->ConvertDialogToPixels(wxSize(control.Width, control.Height))) << strControl;
            }
            else if (*control.Text && control.Kind != ControlKind::Edit && control.Id != IDC_STATISTICS_TEXT)
            {
                wxString strShown = pControl->GetLabel();
                strShown.Replace("\n", " ");
                EXPECT_EQ(strShown.ToStdString(wxConvUTF8), Tr(control.Text)) << strControl;
                const wxSize needed = pControl->GetBestSize(), english = englishNeeds[&control];
                EXPECT_TRUE(needed.x <= std::max(rect.width, english.x) && needed.y <= std::max(rect.height, english.y))
                    << strControl << " needs " << needed.x << " x " << needed.y << ", has " << rect.width << " x " << rect.height;
            }
            EXPECT_TRUE(client.Contains(rect)) << strControl;
            for (const auto& [other, kind] : placed)
                EXPECT_TRUE(!rect.Intersects(other) || (kind == ControlKind::GroupBox && other.Contains(rect)) ||
                            (control.Kind == ControlKind::GroupBox && rect.Contains(other)))
                    << strControl << " overlaps another control";
            placed.emplace_back(rect, control.Kind);
        }
        pDialog->EndModal(wxID_CANCEL);
    };
    for (const bool bTranslated : {false, true})
    {
        std::optional<PseudoLanguage> pseudo;
        if (bTranslated)
            pseudo.emplace();
        for (const int nId : {IDD_ABOUTBOX, IDD_FORMS, IDD_GROUPS, IDD_STATISTICS, IDD_OPTION})
        {
            const DialogTemplate* pTemplate = FindDialogTemplate(nId);
            ASSERT_TRUE(pTemplate) << nId;
            CDialog dialog(nId);
            wxTheApp->CallAfter([&] { inspect(*pTemplate, bTranslated); });
            EXPECT_EQ(RunTemplateDialog(m_pFrame, dialog), RESULT_CANCEL);
        }
    }
}

// An A4 page, one unit a millimetre: the screen is printed inside a 15 mm margin, scaled evenly.
TEST_F(ViewCanvasTest, PrintsInsideThePageMargin)
{
    struct RedView : CView
    {
        using CView::CView;
        void OnDraw(CDC* pDC) override { static const Colour red = Rgb(255, 0, 0); pDC->SelectBrush(&red), pDC->Rectangle(m_window.GetClientRect()); }
    } view(*m_pCanvas);
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 210, 297);
    cairo_t* pCairo = cairo_create(pSurface);
    {
        wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(pCairo));
        ScreenPrintout printout("page", view);
        printout.SetDC(&dc), printout.SetPageSizeMM(210, 297);
        EXPECT_TRUE(printout.OnPrintPage(1));
    }
    cairo_surface_flush(pSurface);
    int left = 210, top = 297, right = -1, bottom = -1; // the red pixels' bounds
    for (int y = 0; y < 297; ++y)
        for (int x = 0; x < 210; ++x)
            if ((reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pSurface) + y * cairo_image_surface_get_stride(pSurface))[x] & 0xFFFFFF) == 0xFF0000)
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
    const Rect client = m_pCanvas->GetClientRect();
    EXPECT_TRUE(left == 15 && right == 195 && top == 15 && bottom <= 282) << left << "," << top << "," << right << "," << bottom;
    EXPECT_NEAR(double(bottom - top) / (right - left), double(client.Height()) / client.Width(), 0.02);
    cairo_destroy(pCairo), cairo_surface_destroy(pSurface);
}

void Click(wxDialog* pDialog, int nId)
{
    wxWindow* pButton = pDialog->FindWindow(nId);
    ASSERT_TRUE(pButton) << nId;
    wxCommandEvent click(wxEVT_BUTTON, nId);
    click.SetEventObject(pButton);
    pButton->ProcessWindowEvent(click);
}

// Black text drawn on white: its dark pixels from the top left of their bounds.
struct Ink
{
    int nLeft = INT_MAX, nRight = INT_MIN, nWidth = 0, nHeight = 0;
    std::set<std::pair<int, int>> dark;
};

Ink InkOf(const std::function<void(cairo_t*)>& draw)
{
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 400, 80);
    cairo_t* pCairo = cairo_create(pSurface);
    cairo_set_source_rgb(pCairo, 1, 1, 1), cairo_paint(pCairo), cairo_set_source_rgb(pCairo, 0, 0, 0);
    draw(pCairo);
    cairo_surface_flush(pSurface);
    std::vector<std::pair<int, int>> dark;
    int nTop = INT_MAX, nBottom = INT_MIN;
    Ink ink;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 400; ++x)
            if ((reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pSurface) + y * cairo_image_surface_get_stride(pSurface))[x] & 0xFF) < 128)
                dark.emplace_back(x, y), ink.nLeft = std::min(ink.nLeft, x), ink.nRight = std::max(ink.nRight, x + 1), nTop = std::min(nTop, y), nBottom = std::max(nBottom, y + 1);
    for (const auto& [x, y] : dark)
        ink.dark.emplace(x - ink.nLeft, y - nTop);
    ink.nWidth = ink.nRight - ink.nLeft, ink.nHeight = nBottom - nTop;
    cairo_destroy(pCairo), cairo_surface_destroy(pSurface);
    return ink;
}

// The share of the dark pixels of either picture that the other lacks; 1 for pictures whose
// sizes differ by more than two pixels.
double Mismatch(const Ink& a, const Ink& b)
{
    if (std::abs(a.nWidth - b.nWidth) > 2 || std::abs(a.nHeight - b.nHeight) > 2 || a.dark.empty() || b.dark.empty())
        return 1.0;
    std::size_t nOnlyA = 0, nOnlyB = 0;
    for (const auto& point : a.dark)
        nOnlyA += !b.dark.count(point);
    for (const auto& point : b.dark)
        nOnlyB += !a.dark.count(point);
    return double(nOnlyA + nOnlyB) / double(a.dark.size() + nOnlyB);
}

Ink DrawnByCairoDC(const std::string& strText, Size* pExtent = nullptr)
{
    return InkOf([&](cairo_t* pCairo) {
        CairoDC dc(pCairo, nullptr);
        const FontSpec font{"Arial", -32}; // an em of 32 pixels
        dc.SetBkMode(BK_TRANSPARENT), dc.SelectFont(&font);
        dc.DrawText(strText, {10, 10, 400, 80}, TF_LEFT_TOP);
        if (pExtent)
            *pExtent = dc.GetTextExtent(strText);
    });
}

// Pango on its own, at the same em, unhinted metrics and unrounded positions: in a font that covers the text, or
// in one that does not with the fallback to other fonts turned off (empty boxes).
Ink DrawnByPango(const std::string& strText, const char* pszFamily, bool bFallback)
{
    return InkOf([&](cairo_t* pCairo) {
        PangoLayout* pLayout = pango_cairo_create_layout(pCairo);
        cairo_font_options_t* pOptions = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(pOptions, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(pango_layout_get_context(pLayout), pOptions), cairo_font_options_destroy(pOptions);
        pango_context_set_round_glyph_positions(pango_layout_get_context(pLayout), FALSE);
        pango_layout_context_changed(pLayout);
        PangoFontDescription* pDesc = pango_font_description_from_string(pszFamily);
        pango_font_description_set_absolute_size(pDesc, 32 * PANGO_SCALE);
        pango_layout_set_font_description(pLayout, pDesc);
        PangoAttrList* pAttributes = pango_attr_list_new();
        pango_attr_list_insert(pAttributes, pango_attr_fallback_new(bFallback));
        pango_layout_set_attributes(pLayout, pAttributes);
        pango_layout_set_text(pLayout, strText.c_str(), -1);
        cairo_move_to(pCairo, 10, 10), pango_cairo_show_layout(pCairo, pLayout);
        pango_attr_list_unref(pAttributes), pango_font_description_free(pDesc), g_object_unref(pLayout);
    });
}

// Letters the program's face lacks come from a font that has them: the word through CairoDC
// looks as it does in that font, not like the empty boxes of a font without them.
TEST(CairoDCText, DrawsCyrillicAndChineseInAFontThatHasThem)
{
    for (const auto& [strWord, pszFont] :
         {std::pair{std::string("\xD0\x9F\xD1\x80\xD0\xBE\xD1\x88\xD0\xB5\xD0\xB4\xD1\x88\xD0\xB5\xD0\xB5"), "Liberation Sans"},
          {std::string("\xE8\xBF\x87\xE5\x8E\xBB\xE5\xBC\x8F"), "WenQuanYi Micro Hei"}})
    {
        Size extent{};
        const Ink drawn = DrawnByCairoDC(strWord, &extent);
        ASSERT_FALSE(drawn.dark.empty()) << strWord;
        const double fLikeFont = Mismatch(drawn, DrawnByPango(strWord, pszFont, true)),
                     fLikeBoxes = Mismatch(drawn, DrawnByPango(strWord, "Liberation Serif", false));
        // Not nil: the letters are set here without kerning.
        EXPECT_LT(fLikeFont, 0.2) << strWord << " as " << pszFont << " draws it";
        EXPECT_GT(fLikeBoxes, 0.3) << strWord << " as the boxes of a font without it";
        // Measured as drawn: the ink starts at the left edge and ends within the advance.
        EXPECT_TRUE(drawn.nLeft >= 10 && drawn.nLeft <= 14 && drawn.nRight <= 10 + extent.cx + 1 && drawn.nRight >= 10 + extent.cx - 6)
            << strWord << ": ink " << drawn.nLeft << ".." << drawn.nRight << ", extent " << extent.cx;
    }
}

// Work on another thread: a wait that lasts shows a dialog, the program's events go on
// being handled (a timer of the window ticks), and the wait ends with the work or at Cancel.
TEST_F(ViewCanvasTest, WaitingForWorkKeepsTheWindowAliveAndCanBeCancelled)
{
    EXPECT_TRUE(WaitWhileBusy(m_pFrame, "Busy", "quick", [] { return true; }));
    EXPECT_FALSE(OpenDialog("Busy"));
    for (const bool bCancel : {true, false})
    {
        std::atomic<bool> bDone{false};
        std::thread worker;
        int nTicks = 0;
        bool bDialogSeen = false;
        wxTimer ticker;
        ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            wxDialog* pDialog = OpenDialog("Busy");
            if (++nTicks < 5 || !pDialog || bDialogSeen)
                return;
            bDialogSeen = true;
            if (bCancel)
                Click(pDialog, wxID_CANCEL);
            else
                worker = std::thread([&bDone] { bDone = true; });
        });
        ticker.Start(20);
        const bool bResult = WaitWhileBusy(m_pFrame, "Busy", "slow", [&bDone] { return bDone.load(); });
        ticker.Stop();
        if (worker.joinable())
            worker.join();
        EXPECT_TRUE(bDialogSeen) << bCancel;
        EXPECT_EQ(bResult, !bCancel);
        EXPECT_FALSE(OpenDialog("Busy"));
    }
}

// The last test: closing cannot be undone. A dialog that opens anyway is cancelled and counted.
TEST_F(ViewCanvasTest, NoDialogOpensOnceClosingHasBegun)
{
    BeginClosing();
    m_doc.m_stats.m_nRight = 1;
    auto pOpened = std::make_shared<int>(0);
    for (void (CVespinView::*pCommand)() : {&CVespinView::OnStatistics, &CVespinView::OnLessonView})
    {
        wxTheApp->CallAfter([pOpened] {
            if (wxDialog* pDialog = OpenDialog())
                ++*pOpened, pDialog->EndModal(wxID_CANCEL);
        });
        (m_view.*pCommand)();
        wxTheApp->Yield(true);
    }
    EXPECT_EQ(*pOpened, 0);
}
} // namespace
