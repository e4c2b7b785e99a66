#include "framework/wx/ViewPrinting.h"

#include "framework/View.h"
#include "framework/wx/Pictures.h"

#include <wx/cmndata.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#ifdef __WXMSW__
#include "framework/wx/GdiDC.h"
#include <windows.h>
#else
#include "framework/wx/CairoDC.h"
#include <cairo.h>
#endif

#include <algorithm>

ScreenPrintout::ScreenPrintout(const wxString& strTitle, CView& view) : wxPrintout(strTitle), m_view(view) {}

#ifdef __WXMSW__
// The toolkit maps the window's client area into the page's margins (on Windows through
// the printer's own mapping mode, which GDI drawing then follows), clipped to that area.
bool ScreenPrintout::OnPrintPage(int)
{
    wxDC* pDC = GetDC();
    if (!pDC)
        return false;
    const Rect client = m_view.GetWindow().GetClientRect();
    wxPageSetupDialogData margins;
    const int nMargin = static_cast<int>(kPrintMarginMM);
    margins.SetMarginTopLeft(wxPoint(nMargin, nMargin));
    margins.SetMarginBottomRight(wxPoint(nMargin, nMargin));
    FitThisSizeToPageMargins(wxSize(std::max(client.Width(), 1), std::max(client.Height(), 1)),
                             margins);
    const HDC hDC = static_cast<HDC>(pDC->GetHDC());
    ::IntersectClipRect(hDC, 0, 0, client.Width(), client.Height());
    GdiDC dc(hDC, LoadPicture);
    m_view.OnDraw(&dc);
    return true;
}
#else
void DrawScreenOnPage(cairo_t* pCairo, double fPageWidth, double fPageHeight, double fMargin,
                      CView& view)
{
    const Rect client = view.GetWindow().GetClientRect();
    cairo_save(pCairo);
    cairo_set_source_rgb(pCairo, 1, 1, 1);
    cairo_paint(pCairo);
    const double fWidth = std::max(fPageWidth - 2 * fMargin, 1.0);
    const double fHeight = std::max(fPageHeight - 2 * fMargin, 1.0);
    const double fScale = std::min(fWidth / std::max(client.Width(), 1),
                                   fHeight / std::max(client.Height(), 1));
    cairo_translate(pCairo, fMargin + (fWidth - client.Width() * fScale) / 2, fMargin);
    cairo_scale(pCairo, fScale, fScale);
    cairo_rectangle(pCairo, 0, 0, client.Width(), client.Height());
    cairo_clip(pCairo);
    {
        CairoDC dc(pCairo, LoadPicture);
        view.OnDraw(&dc);
    }
    cairo_restore(pCairo);
}

cairo_t* CairoOf(wxDC& dc)
{
    if (wxGraphicsContext* pContext = dc.GetGraphicsContext())
        return static_cast<cairo_t*>(pContext->GetNativeContext());
    return static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
}


bool ScreenPrintout::OnPrintPage(int)
{
    wxDC* pDC = GetDC();
    cairo_t* pCairo = pDC ? CairoOf(*pDC) : nullptr;
    if (!pCairo)
        return false;
    // The page in the cairo context's own units, which need not be the wx DC's.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(pCairo, &x1, &y1, &x2, &y2);
    if (x2 <= x1 || y2 <= y1)
    {
        int nWidth = 0, nHeight = 0;
        pDC->GetSize(&nWidth, &nHeight);
        x2 = nWidth;
        y2 = nHeight;
    }
    // The margin in the context's units, from the page's width in millimetres.
    int nWidthMM = 0, nHeightMM = 0;
    GetPageSizeMM(&nWidthMM, &nHeightMM);
    const double fMargin = nWidthMM > 0 ? kPrintMarginMM * (x2 - x1) / nWidthMM : 0;
    DrawScreenOnPage(pCairo, x2 - x1, y2 - y1, fMargin, m_view);
    return true;
}

#endif

void ScreenPrintout::GetPageInfo(int* pMinPage, int* pMaxPage, int* pFromPage, int* pToPage)
{
    *pMinPage = *pMaxPage = *pFromPage = *pToPage = 1;
}
