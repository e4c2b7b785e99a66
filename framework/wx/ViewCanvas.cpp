#include "framework/wx/ViewCanvas.h"

#include "framework/View.h"
#include "framework/wx/Closing.h"
#include "framework/wx/HelpViewer.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/Pictures.h"
#include "framework/wx/TemplateDialog.h"
#include "res/CommandIds.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

#ifdef __WXMSW__
#include "framework/wx/GdiDC.h"
#include <windows.h>
#undef MessageBox // windows.h names its call like a member of ours
#else
#include "framework/wx/CairoDC.h"
#include <cairo.h>
#endif

#include <climits>
#include <functional>
#include <utility>

namespace
{

#ifdef __WXMSW__
// Holds the client DC in a base class ahead of GdiDC, so that it is made before and
// destroyed after the GdiDC drawing on it.
struct ClientDCOwner
{
    explicit ClientDCOwner(wxWindow* pWindow) : m_dc(pWindow) {}
    wxClientDC m_dc;
};

class ClientGdiDC : private ClientDCOwner, public GdiDC
{
public:
    explicit ClientGdiDC(wxWindow* pWindow)
        : ClientDCOwner(pWindow), GdiDC(static_cast<HDC>(m_dc.GetHDC()), LoadPicture)
    {
    }
};
#else
// The cairo context a window DC draws with: the DC's own on GTK 3, elsewhere one the
// cairo renderer makes over the DC. Null when neither exists.
class WindowCairo
{
public:
    explicit WindowCairo(wxWindowDC& dc)
    {
        wxGraphicsRenderer* pCairoRenderer = wxGraphicsRenderer::GetCairoRenderer();
        if (!pCairoRenderer)
            return;
        wxGraphicsContext* pContext = dc.GetGraphicsContext();
        if (!pContext || pContext->GetRenderer() != pCairoRenderer)
        {
            m_pOwn.reset(pCairoRenderer->CreateContext(dc));
            pContext = m_pOwn.get();
        }
        if (pContext)
            m_pCairo = static_cast<cairo_t*>(pContext->GetNativeContext());
    }

    cairo_t* Get() const { return m_pCairo; }

private:
    std::unique_ptr<wxGraphicsContext> m_pOwn;
    cairo_t* m_pCairo = nullptr;
};

// A client DC and the cairo context over it.
struct ClientCairo
{
    explicit ClientCairo(wxWindow* pWindow) : m_dc(pWindow), m_cairo(m_dc) {}

    wxClientDC m_dc;
    WindowCairo m_cairo;
};

// Holds the client DC in a base class ahead of CairoDC, so that it is made before and
// destroyed after the CairoDC drawing on it.
struct ClientCairoOwner
{
    std::unique_ptr<ClientCairo> m_pClient;
};

class ClientCairoDC : private ClientCairoOwner, public CairoDC
{
public:
    // pClient must have a cairo context.
    explicit ClientCairoDC(std::unique_ptr<ClientCairo> pClient)
        : ClientCairoOwner{std::move(pClient)}, CairoDC(m_pClient->m_cairo.Get(), LoadPicture)
    {
    }
};
#endif

class TickTimer : public wxTimer
{
public:
    explicit TickTimer(std::function<void()> fnTick) : m_fnTick(std::move(fnTick)) {}
    void Notify() override { m_fnTick(); }

private:
    std::function<void()> m_fnTick;
};

} // namespace

std::optional<unsigned> ViewCharCode(int nUnicode, bool bAlt, bool bControl)
{
    if (nUnicode <= 0 || nUnicode > 0xFF)
        return std::nullopt;
    if (bAlt && !bControl)
        return std::nullopt;
    return static_cast<unsigned>(nUnicode);
}

std::optional<unsigned> ViewVirtualKey(int nKeyCode)
{
    switch (nKeyCode)
    {
    case WXK_END:
    case WXK_NUMPAD_END:
        return KEY_END;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        return KEY_HOME;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return KEY_LEFT;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return KEY_RIGHT;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        return KEY_DELETE;
    default:
        return std::nullopt;
    }
}

long MessageBoxFlags(unsigned nStyle)
{
    long nFlags = (nStyle & 0x0F) == BOX_YESNO ? wxYES_NO : wxOK;
    switch (nStyle & 0xF0)
    {
    case BOX_ICONSTOP:
        return nFlags | wxICON_STOP;
    case BOX_ICONQUESTION:
        return nFlags | wxICON_QUESTION;
    case BOX_ICONEXCLAMATION:
        return nFlags | wxICON_EXCLAMATION;
    case BOX_ICONINFORMATION:
        return nFlags | wxICON_INFORMATION;
    default:
        return nFlags | wxICON_NONE;
    }
}

int MessageBoxResult(int nDialogResult, unsigned nStyle)
{
    if ((nStyle & 0x0F) == BOX_YESNO)
        return nDialogResult == wxID_YES ? RESULT_YES : RESULT_NO;
    return RESULT_OK;
}

int TimerInterval(std::uint32_t nMilliseconds)
{
    if (nMilliseconds == 0)
        return 1;
    if (nMilliseconds > static_cast<std::uint32_t>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(nMilliseconds);
}

#ifdef __WXMSW__
// A repaint on Windows: whitens the window, then lets the view, if any, draw over it.
static void PaintView(HDC hDC, const Rect& client, CView* pView)
{
    const RECT box{client.left, client.top, client.right, client.bottom};
    ::FillRect(hDC, &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (pView)
    {
        GdiDC dc(hDC, LoadPicture);
        pView->OnDraw(&dc);
    }
}
#else
void PaintView(cairo_t* pCairo, CView* pView)
{
    if (!pCairo)
        return;
    cairo_save(pCairo);
    cairo_set_source_rgb(pCairo, 1.0, 1.0, 1.0);
    cairo_paint(pCairo);
    if (pView)
    {
        CairoDC dc(pCairo, LoadPicture);
        pView->OnDraw(&dc);
    }
    cairo_restore(pCairo);
}
#endif

ViewCanvas::ViewCanvas(wxWindow* pParent)
    : wxWindow(pParent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE)
{
    // The paint handler whitens what it repaints; the toolkit must not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    Bind(wxEVT_PAINT, &ViewCanvas::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &ViewCanvas::OnLeftDown, this);
    Bind(wxEVT_CHAR, &ViewCanvas::OnCharTyped, this);
    Bind(wxEVT_KEY_DOWN, &ViewCanvas::OnKeyPressed, this);
}

ViewCanvas::~ViewCanvas() = default;

void ViewCanvas::SetView(CView* pView)
{
    m_pView = pView;
}

Rect ViewCanvas::GetClientRect() const
{
    const wxSize size = GetClientSize();
    return Rect{0, 0, size.GetWidth(), size.GetHeight()};
}

void ViewCanvas::InvalidateRect(const Rect* pRect, bool bErase)
{
    // The paint always whitens what it repaints, so bErase changes nothing visible.
    if (!pRect)
        Refresh(bErase);
    else if (pRect->Width() > 0 && pRect->Height() > 0)
        RefreshRect(wxRect(pRect->left, pRect->top, pRect->Width(), pRect->Height()), bErase);
}

void ViewCanvas::SetTimer(unsigned nId, std::uint32_t nMilliseconds)
{
    std::unique_ptr<wxTimer>& pTimer = m_timers[nId];
    if (!pTimer)
        pTimer = std::make_unique<TickTimer>([this, nId] { Tick(nId); });
    pTimer->Start(TimerInterval(nMilliseconds));
}

void ViewCanvas::KillTimer(unsigned nId)
{
    const auto it = m_timers.find(nId);
    if (it != m_timers.end())
        it->second->Stop();
}

std::unique_ptr<CDC> ViewCanvas::GetDC()
{
#ifdef __WXMSW__
    return std::make_unique<ClientGdiDC>(this);
#else
    auto pClient = std::make_unique<ClientCairo>(this);
    if (!pClient->m_cairo.Get())
        return nullptr;
    return std::make_unique<ClientCairoDC>(std::move(pClient));
#endif
}

int ShowMessageBox(wxWindow* pParent, const std::string& strText, const std::string& strCaption,
                   unsigned nStyle)
{
    if (IsClosing())
        return MessageBoxResult(wxID_CANCEL, nStyle);
    wxMessageDialog dialog(pParent, WxText(strText), WxText(strCaption),
                           MessageBoxFlags(nStyle) | wxCENTRE);
    return MessageBoxResult(dialog.ShowModal(), nStyle);
}

int ViewCanvas::MessageBox(const std::string& strText, const std::string& strCaption,
                           unsigned nStyle)
{
    return ShowMessageBox(wxGetTopLevelParent(this), strText, strCaption, nStyle);
}

int ViewCanvas::DoModal(CDialog& dialog)
{
    return RunTemplateDialog(wxGetTopLevelParent(this), dialog);
}

void ViewCanvas::ShowHelp()
{
    if (IsClosing())
        return;
    if (!m_pHelp)
        m_pHelp = std::make_unique<HelpViewer>();
    m_pHelp->Show(wxGetTopLevelParent(this));
}

void ViewCanvas::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
#ifdef __WXMSW__
    PaintView(static_cast<HDC>(dc.GetHDC()), GetClientRect(), m_pView);
#else
    PaintView(WindowCairo(dc).Get(), m_pView);
#endif
}

void ViewCanvas::OnLeftDown(wxMouseEvent& event)
{
    if (m_pView)
        m_pView->OnLButtonDown(event.GetX(), event.GetY());
    event.Skip();
}

void ViewCanvas::OnCharTyped(wxKeyEvent& event)
{
    if (const auto nChar = ViewCharCode(event.GetUnicodeKey(), event.AltDown(), event.ControlDown());
        nChar && m_pView)
        m_pView->OnChar(*nChar);
    event.Skip();
}

void ViewCanvas::OnKeyPressed(wxKeyEvent& event)
{
    if (const auto nKey = ViewVirtualKey(event.GetKeyCode()); nKey && m_pView)
        m_pView->OnKeyDown(*nKey);
    event.Skip();
}

void ViewCanvas::Tick(unsigned nId)
{
    if (m_pView)
        m_pView->OnTimer(nId);
}
