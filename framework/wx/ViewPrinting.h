// Printing the current screen: the view draws on the page as on the window, with the
// window's geometry, scaled to fit the page.
#pragma once

#include "framework/DeviceContext.h"

#include <wx/print.h>

#include <functional>

typedef struct _cairo cairo_t;

// Draws the screen onto a page of the given size (in the context's units), the client
// area scaled evenly to fit and centred at the top, on a white page.
void DrawScreenOnPage(cairo_t* pCairo, double fPageWidth, double fPageHeight, const Rect& client,
                      const std::function<void(CDC&)>& fnDraw);

// One page: the screen as fnDraw draws it; client is the window's client area.
class ScreenPrintout : public wxPrintout
{
public:
    ScreenPrintout(const wxString& strTitle, std::function<Rect()> fnClient,
                   std::function<void(CDC&)> fnDraw);

    bool OnPrintPage(int nPage) override;
    bool HasPage(int nPage) override { return nPage == 1; }
    void GetPageInfo(int* pMinPage, int* pMaxPage, int* pFromPage, int* pToPage) override;

private:
    std::function<Rect()> m_fnClient;
    std::function<void(CDC&)> m_fnDraw;
};

// The cairo context behind a toolkit device context, or nullptr.
cairo_t* CairoOf(wxDC& dc);
