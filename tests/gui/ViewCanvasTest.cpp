// The canvas in a real window on the test's X server, with the real view and document:
// repaint areas, typed characters and keys, and timers.
#include "framework/wx/ViewCanvas.h"

#include "lesson/VespinDoc.h"
#include "res/CommandIds.h"
#include "support/MemorySettingsStore.h"
#include "view/VespinView.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/time.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Shows colours as #RRGGBB in failure messages.
void PrintTo(const wxColour& colour, std::ostream* pOut) { *pOut << colour.GetAsString(wxC2S_HTML_SYNTAX); }

namespace
{
// Runs the event loop until the condition holds; false when the time is up first.
bool PumpUntil(const std::function<bool()>& condition, int nMilliseconds = 10000)
{
    for (const wxLongLong deadline = wxGetLocalTimeMillis() + nMilliseconds; !condition(); wxMilliSleep(2))
    {
        if (wxGetLocalTimeMillis() > deadline)
            return false;
        wxTheApp->Yield(true);
    }
    return true;
}

class ViewCanvasTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new wxFrame(nullptr, wxID_ANY, "canvas");
        m_pCanvas = new ViewCanvas(m_pFrame);
        m_pFrame->SetClientSize(600, 300);
        // Bound after the canvas's own handler, so called before it.
        m_pCanvas->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
            m_paintedBoxes.push_back(m_pCanvas->GetUpdateRegion().GetBox());
            m_lastPaint = wxGetLocalTimeMillis();
            event.Skip();
        });
        m_pFrame->Show();
        // Showing brings more than one paint; drawing between them would be wiped.
        ASSERT_TRUE(PumpUntil([&] { return !m_paintedBoxes.empty() && wxGetLocalTimeMillis() - m_lastPaint >= 150; }));
        // A lesson of one question, so that typing and the caret count.
        Question question;
        question.Set("went", "go", PastTense);
        m_doc.m_pool.push_back(question);
        m_pView = std::make_unique<CVespinView>(m_doc, *m_pCanvas);
        m_pCanvas->SetView(m_pView.get());
    }

    void TearDown() override
    {
        m_pCanvas->SetView(nullptr);
        m_pFrame->Destroy();
        wxTheApp->Yield(true);
    }

    wxColour Pixel(int x, int y) const { wxColour c; wxClientDC(m_pCanvas).GetPixel(x, y, &c); return c; }

    MemorySettingsStore m_store;
    CVespinDoc m_doc{m_store};
    std::unique_ptr<CVespinView> m_pView;
    wxFrame* m_pFrame = nullptr;
    ViewCanvas* m_pCanvas = nullptr;
    std::vector<wxRect> m_paintedBoxes;
    wxLongLong m_lastPaint;
};

TEST_F(ViewCanvasTest, RepaintsOnlyTheInvalidatedAreaAndWhitensIt)
{
    m_pCanvas->SetView(nullptr); // nothing drawn over the white
    const Colour red = Rgb(255, 0, 0);
    {
        std::unique_ptr<CDC> pDC = m_pCanvas->GetDC();
        ASSERT_TRUE(pDC);
        pDC->SelectBrush(&red);
        pDC->Rectangle(Rect{20, 20, 120, 80});
        pDC->Rectangle(Rect{200, 20, 300, 80});
    }
    ASSERT_EQ(Pixel(70, 50), *wxRED);

    m_paintedBoxes.clear();
    const Rect left{20, 20, 120, 80};
    m_pCanvas->InvalidateRect(&left, false);
    const auto Painted = [&](const wxRect& box) {
        return PumpUntil([&] { return std::count(m_paintedBoxes.begin(), m_paintedBoxes.end(), box) > 0; });
    };
    EXPECT_TRUE(Painted(wxRect(20, 20, 100, 60)));
    EXPECT_EQ(Pixel(70, 50), *wxWHITE) << "the repaint whitens the area";
    EXPECT_EQ(Pixel(119, 79), *wxWHITE) << "the area ends at right - 1, bottom - 1";
    EXPECT_EQ(Pixel(250, 50), *wxRED) << "outside the invalidated rectangle";

    m_pCanvas->InvalidateRect(nullptr, true);
    EXPECT_TRUE(Painted(wxRect(0, 0, 600, 300)));
    EXPECT_EQ(Pixel(250, 50), *wxWHITE);
}

// Every event is passed on (skipped), so that menu accelerators still see the keys.
TEST_F(ViewCanvasTest, TypesLatin1AndPassesEveryKeyOn)
{
    const auto Char = [&](int nUnicode, bool bAlt = false, bool bControl = false) {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = static_cast<wxChar>(nUnicode);
        event.SetAltDown(bAlt);
        event.SetControlDown(bControl);
        EXPECT_FALSE(m_pCanvas->ProcessWindowEvent(event)) << "character " << nUnicode;
    };
    // Beyond U+00FF nothing is typed; Alt+letter is the menu's, AltGr (Ctrl+Alt) types.
    for (int nUnicode : {int{'a'}, 0xE9, 0xFF, 0x100, 0x20AC})
        Char(nUnicode);
    Char('f', true);
    Char('@', true, true);
    EXPECT_EQ(m_doc.m_strTyped, "a\xE9\xFF@");

    wxKeyEvent home(wxEVT_KEY_DOWN);
    home.m_keyCode = WXK_HOME;
    EXPECT_FALSE(m_pCanvas->ProcessWindowEvent(home));
    EXPECT_EQ(m_doc.m_nCaret, 0) << "the key reached the view";
}

TEST_F(ViewCanvasTest, TimersTickUntilKilled)
{
    // The caret blink timer flips m_bCaretOn at every tick while a question is asked.
    const auto Flipped = [&](int nTimes, int nMilliseconds) {
        bool bLast = m_doc.m_bCaretOn;
        int nFlips = 0;
        const auto Flip = [&] { return std::exchange(bLast, m_doc.m_bCaretOn) != m_doc.m_bCaretOn; };
        return PumpUntil([&] { return (nFlips += Flip()) >= nTimes; }, nMilliseconds);
    };
    m_pCanvas->SetTimer(TIMER_CARET_BLINK, 20);
    EXPECT_TRUE(Flipped(3, 5000)) << "a repeating timer";
    m_pCanvas->KillTimer(TIMER_CARET_BLINK);
    EXPECT_FALSE(Flipped(1, 200)) << "no tick after KillTimer";
    m_pCanvas->SetTimer(TIMER_CARET_BLINK, 20);
    EXPECT_TRUE(Flipped(2, 5000)) << "restarted";
}

} // namespace
