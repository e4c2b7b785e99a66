#include "app/ProgressDlg.h"

#include "framework/Translation.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "res/AppStrings.h"
#include "view/ProgressView.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/sizer.h>

#ifdef __WXMSW__
#include "framework/wx/GdiDC.h"
#include <windows.h>
#else
#include "framework/wx/CairoDC.h"
#include <cairo.h>
#endif

#include <algorithm>

namespace
{

// The view's width in its pixels: thirty bars and six columns of mistakes.
constexpr int kViewWidth = 720;
// Kept free of the work area's height for the buttons and the window's frame.
constexpr int kFrameHeight = 120;

// The height the view needs, measured off the screen: the dialog is not shown yet.
int MeasureHeight(CProgressView& view)
{
#ifdef __WXMSW__
    const HDC hDC = ::CreateCompatibleDC(nullptr);
    int nHeight = 0;
    {
        GdiDC dc(hDC, {});
        nHeight = view.GetHeight(&dc, kViewWidth);
    }
    ::DeleteDC(hDC);
#else
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* pCairo = cairo_create(pSurface);
    int nHeight = 0;
    {
        CairoDC dc(pCairo, {});
        nHeight = view.GetHeight(&dc, kViewWidth);
    }
    cairo_destroy(pCairo);
    cairo_surface_destroy(pSurface);
#endif
    return nHeight;
}

} // namespace

CProgressDlg::CProgressDlg(wxWindow* pParent, HistoryProgress progress)
    : wxDialog(pParent, wxID_ANY, WxText(TrC("window title", "Progress")), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    m_pCanvas = new ViewCanvas(this);
    m_pView = std::make_unique<CProgressView>(std::move(progress), *m_pCanvas);
    m_pCanvas->SetView(m_pView.get());
    // All of it where the screen allows; the window can be made larger.
    const int nDisplay = pParent ? wxDisplay::GetFromWindow(pParent) : wxNOT_FOUND;
    const int nWorkHeight = wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea().GetHeight();
    m_pCanvas->SetMinSize(wxSize(kViewWidth, std::min(MeasureHeight(*m_pView), std::max(200, nWorkHeight - kFrameHeight))));

    auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
    // Not the stock print id: its stock label would replace this one.
    auto* pPrint = new wxButton(this, wxID_ANY, WxText(Tr("&Print...")));
    pButtons->Add(pPrint, 0, wxRIGHT, 8);
    pButtons->Add(new wxButton(this, wxID_CLOSE, WxText(Tr("&Close"))));
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    pSizer->Add(m_pCanvas, 1, wxEXPAND);
    pSizer->Add(pButtons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(pSizer);
    SetEscapeId(wxID_CLOSE);
    pPrint->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Print(); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); }, wxID_CLOSE);
    CentreOnParent();
}

CProgressDlg::~CProgressDlg()
{
    m_pCanvas->SetView(nullptr);
}

void CProgressDlg::Print()
{
    ScreenPrintout printout(kAppName, *m_pView);
    wxPrinter printer;
    printer.Print(this, &printout, true);
}
