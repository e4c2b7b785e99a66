// The window a view lives in: hands paint, mouse, keys and timer ticks to the view (the
// framework's CView) and gives it the services of ViewWindow. Keeps no state of the view's own.
#pragma once

#include "framework/ViewWindow.h"

#include <wx/timer.h>
#include <wx/window.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

typedef struct _cairo cairo_t;
class CView;
class HelpViewer;

// The translations at this boundary, free functions so that tests reach them.

// The code the view gets for a typed character: none above U+00FF, none for a key
// without a character, none while Alt is held without Ctrl (that key is the menu's).
std::optional<unsigned> ViewCharCode(int nUnicode, bool bAlt, bool bControl);
// The classic virtual key of End, Home, Left, Right and Delete, keypad ones included;
// none for every other key.
std::optional<unsigned> ViewVirtualKey(int nKeyCode);
// The message dialog style for a MessageBoxStyle.
long MessageBoxFlags(unsigned nStyle);
// The MessageBoxResult for what the dialog returned: a Yes/No box closed any other way
// than Yes counts as No, a plain box as OK.
int MessageBoxResult(int nDialogResult, unsigned nStyle);
// A modal message box centred on the parent, texts in Latin-1; once the program is closing
// none opens and the answer is that of a box closed without a choice.
int ShowMessageBox(wxWindow* pParent, const std::string& strText, const std::string& strCaption,
                   unsigned nStyle);
// The toolkit's timers take an int and stop at 0: 0 becomes 1, beyond INT_MAX INT_MAX.
int TimerInterval(std::uint32_t nMilliseconds);
// A repaint: whitens the area being repainted (the context's clip), then lets the view,
// if any, draw over it. Nothing without a cairo context.
void PaintView(cairo_t* pCairo, CView* pView);

class ViewCanvas : public wxWindow, public ViewWindow
{
public:
    explicit ViewCanvas(wxWindow* pParent);
    ~ViewCanvas() override;

    // From now on the view draws and receives input; nullptr detaches it, and the window
    // then paints white. The view must stay alive while attached.
    void SetView(CView* pView);

    // Hides wxWindow's own GetClientRect (a wxRect); the same area.
    Rect GetClientRect() const override;
    void InvalidateRect(const Rect* pRect, bool bErase) override;
    void SetTimer(unsigned nId, std::uint32_t nMilliseconds) override;
    void KillTimer(unsigned nId) override;
    // Draws straight onto the window; nullptr where the toolkit has no cairo context.
    std::unique_ptr<CDC> GetDC() override;
    int MessageBox(const std::string& strText, const std::string& strCaption,
                   unsigned nStyle) override;
    // Modal over the frame.
    int DoModal(CDialog& dialog) override;
    // One help window for the life of the canvas.
    void ShowHelp() override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnCharTyped(wxKeyEvent& event);
    void OnKeyPressed(wxKeyEvent& event);

    void Tick(unsigned nId);

    CView* m_pView = nullptr;
    std::unique_ptr<HelpViewer> m_pHelp;
    // Kept once created: a view may kill or restart a timer from inside its own tick.
    std::map<unsigned, std::unique_ptr<wxTimer>> m_timers;
};
