// The canvas in a real window on the test's X server, with the real view and document:
// painting, drawing between paints, repaint areas, input and timers.
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
#include <vector>

// Shows colours as #RRGGBB in failure messages.
void PrintTo(const wxColour& colour, std::ostream* pOut)
{
    *pOut << colour.GetAsString(wxC2S_HTML_SYNTAX);
}

namespace
{

// Runs the event loop until the condition holds; false after ten seconds without.
bool PumpUntil(const std::function<bool()>& condition)
{
    const wxLongLong deadline = wxGetLocalTimeMillis() + 10000;
    while (!condition())
    {
        if (wxGetLocalTimeMillis() > deadline)
            return false;
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
    return true;
}

// Runs the event loop for a while, for checking that something does not happen.
void PumpFor(int nMilliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + nMilliseconds;
    PumpUntil([&] { return wxGetLocalTimeMillis() >= end; });
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
        ASSERT_TRUE(PumpUntil([&] {
            return !m_paintedBoxes.empty() && wxGetLocalTimeMillis() - m_lastPaint >= 150;
        })) << "no first paint";
    }

    void TearDown() override
    {
        m_pCanvas->SetView(nullptr);
        m_pFrame->Destroy();
        wxTheApp->Yield(true);
    }

    wxColour Pixel(int x, int y) const
    {
        wxClientDC dc(m_pCanvas);
        wxColour colour;
        dc.GetPixel(x, y, &colour);
        return colour;
    }

    // A view on a lesson of one question, so that typing and the caret count.
    void AttachViewInLesson()
    {
        Question question;
        question.Set("went", "go", PastTense);
        m_doc.m_pool.push_back(question);
        m_doc.m_nCurrent = 0;
        m_pView = std::make_unique<CVespinView>(m_doc, *m_pCanvas);
        m_pCanvas->SetView(m_pView.get());
    }

    // Returns whether some handler kept the event for itself instead of passing it on.
    bool Consumed(wxEvent& event) { return m_pCanvas->ProcessWindowEvent(event); }

    wxKeyEvent Char(int nUnicode, bool bAlt = false, bool bControl = false)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = static_cast<wxChar>(nUnicode);
        event.m_keyCode = nUnicode <= 0x7F ? nUnicode : WXK_NONE;
        event.SetAltDown(bAlt);
        event.SetControlDown(bControl);
        event.SetEventObject(m_pCanvas);
        return event;
    }

    wxKeyEvent KeyDown(int nKeyCode)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = nKeyCode;
        event.SetEventObject(m_pCanvas);
        return event;
    }

    MemorySettingsStore m_store;
    CVespinDoc m_doc{m_store};
    std::unique_ptr<CVespinView> m_pView;
    wxFrame* m_pFrame = nullptr;
    ViewCanvas* m_pCanvas = nullptr;
    std::vector<wxRect> m_paintedBoxes;
    wxLongLong m_lastPaint;
};

TEST_F(ViewCanvasTest, FillsTheFramesClientAreaInWhite)
{
    EXPECT_EQ(m_pCanvas->GetClientRect(), (Rect{0, 0, 600, 300}));
    EXPECT_EQ(Pixel(0, 0), *wxWHITE);
    EXPECT_EQ(Pixel(599, 299), *wxWHITE);
}

TEST_F(ViewCanvasTest, DrawsBetweenPaintsAndRepaintsOnlyTheInvalidatedArea)
{
    const Colour red = Rgb(255, 0, 0);
    {
        std::unique_ptr<CDC> pDC = m_pCanvas->GetDC();
        ASSERT_TRUE(pDC);
        pDC->SelectBrush(&red);
        pDC->Rectangle(Rect{20, 20, 120, 80});
        pDC->Rectangle(Rect{200, 20, 300, 80});
    }
    // No events handled since: the pixels came from GetDC, not from a paint.
    EXPECT_EQ(Pixel(70, 50), *wxRED);
    EXPECT_EQ(Pixel(250, 50), *wxRED);

    m_paintedBoxes.clear();
    const Rect left{20, 20, 120, 80};
    m_pCanvas->InvalidateRect(&left, false);
    const auto Painted = [&](const wxRect& box) {
        return PumpUntil([&] {
            return std::find(m_paintedBoxes.begin(), m_paintedBoxes.end(), box) != m_paintedBoxes.end();
        });
    };
    EXPECT_TRUE(Painted(wxRect(20, 20, 100, 60)));
    EXPECT_EQ(Pixel(70, 50), *wxWHITE) << "the repaint whitens the area";
    EXPECT_EQ(Pixel(119, 79), *wxWHITE) << "the area ends at right - 1, bottom - 1";
    EXPECT_EQ(Pixel(250, 50), *wxRED) << "outside the invalidated rectangle";

    m_pCanvas->InvalidateRect(nullptr, true);
    EXPECT_TRUE(Painted(wxRect(0, 0, 600, 300)));
    EXPECT_EQ(Pixel(250, 50), *wxWHITE);
}

TEST_F(ViewCanvasTest, TypedCharactersReachTheViewAsLatin1)
{
    AttachViewInLesson();
    for (wxKeyEvent event : {Char('a'), Char(0xE9), Char(0xFF), Char(0x152), Char(0x20AC),
                             Char('f', true), Char('@', true, true)})
        EXPECT_FALSE(Consumed(event)) << "every character is passed on";
    EXPECT_EQ(m_doc.m_strTyped, "a\xE9\xFF@");
}

TEST_F(ViewCanvasTest, EditingKeysReachTheView)
{
    AttachViewInLesson();
    m_doc.m_strTyped = "wnt";
    m_doc.m_nCaret = 3;
    const auto Press = [&](int nKeyCode) {
        wxKeyEvent event = KeyDown(nKeyCode);
        EXPECT_FALSE(Consumed(event)) << "key " << nKeyCode << " is passed on";
    };

    Press(WXK_HOME);
    EXPECT_EQ(m_doc.m_nCaret, 0);
    Press(WXK_RIGHT);
    Press(WXK_NUMPAD_RIGHT);
    EXPECT_EQ(m_doc.m_nCaret, 2);
    Press(WXK_LEFT);
    Press(WXK_DELETE);
    EXPECT_EQ(m_doc.m_strTyped, "wt");
    Press('.'); // the classic code of Delete, but here the full stop key
    Press(WXK_NUMPAD_END);
    EXPECT_EQ(m_doc.m_strTyped, "wt");
    EXPECT_EQ(m_doc.m_nCaret, 2);
}

TEST_F(ViewCanvasTest, ClicksReachTheViewInClientCoordinates)
{
    AttachViewInLesson();
    m_doc.m_strTyped = "went";
    m_doc.m_nCaret = 4;
    const Rect text = AnswerTextRect(m_pCanvas->GetClientRect());

    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.m_x = text.left + 1;
    click.m_y = text.top + text.Height() / 2;
    click.SetEventObject(m_pCanvas);
    EXPECT_FALSE(Consumed(click)) << "the click is passed on";
    EXPECT_EQ(m_doc.m_nCaret, 0) << "a click at the left of the answer puts the caret first";
}

TEST_F(ViewCanvasTest, TimersTickUntilKilledAndCanBeRestarted)
{
    AttachViewInLesson();
    // The caret blink timer flips m_bCaretOn at every tick while a question is asked.
    const auto Flips = [&](int nWanted) {
        bool bLast = m_doc.m_bCaretOn;
        int nFlips = 0;
        return PumpUntil([&] {
            if (m_doc.m_bCaretOn != bLast)
            {
                bLast = m_doc.m_bCaretOn;
                ++nFlips;
            }
            return nFlips >= nWanted;
        });
    };

    m_pCanvas->SetTimer(TIMER_CARET_BLINK, 20);
    EXPECT_TRUE(Flips(3)) << "a repeating timer";

    m_pCanvas->KillTimer(TIMER_CARET_BLINK);
    const bool bCaretOn = m_doc.m_bCaretOn;
    PumpFor(200);
    EXPECT_EQ(m_doc.m_bCaretOn, bCaretOn) << "no tick after KillTimer";

    m_pCanvas->SetTimer(TIMER_CARET_BLINK, 20);
    EXPECT_TRUE(Flips(2)) << "restarted";
    m_pCanvas->KillTimer(TIMER_VERDICT); // never started: nothing happens
}

} // namespace
