// Printing a view: it draws on the page as on its window, with the window's geometry,
// scaled to fit the page.
#pragma once

#include <wx/print.h>

class CView;
typedef struct _cairo cairo_t;

// The blank border kept on every side of a printed page, where printers cannot print.
constexpr double kPrintMarginMM = 15;

// Draws the view onto a page of the given size (in the context's units): its window's
// client area scaled evenly to fit inside the margin, centred at the top, on a white page.
void DrawScreenOnPage(cairo_t* pCairo, double fPageWidth, double fPageHeight, double fMargin,
                      CView& view);

// One page: the view as it draws itself now. The view must outlive the printout.
class ScreenPrintout : public wxPrintout
{
public:
    ScreenPrintout(const wxString& strTitle, CView& view);

    bool OnPrintPage(int nPage) override;
    bool HasPage(int nPage) override { return nPage == 1; }
    void GetPageInfo(int* pMinPage, int* pMaxPage, int* pFromPage, int* pToPage) override;

private:
    CView& m_view;
};

// The cairo context behind a toolkit device context, or nullptr.
cairo_t* CairoOf(wxDC& dc);
