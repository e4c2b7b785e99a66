#include "app/ProgressDlg.h"

#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "res/AppStrings.h"
#include "view/ProgressView.h"

#include <wx/button.h>
#include <wx/sizer.h>

namespace
{

// Room for the chart, ten rows of mistakes and the totals, in the view's pixels.
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 500;

} // namespace

CProgressDlg::CProgressDlg(wxWindow* pParent, HistoryProgress progress)
    : wxDialog(pParent, wxID_ANY, "Progress", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    m_pCanvas = new ViewCanvas(this);
    m_pCanvas->SetMinSize(wxSize(kViewWidth, kViewHeight));
    m_pView = std::make_unique<CProgressView>(std::move(progress), *m_pCanvas);
    m_pCanvas->SetView(m_pView.get());

    auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
    auto* pPrint = new wxButton(this, wxID_PRINT, "&Print...");
    pButtons->Add(pPrint, 0, wxRIGHT, 8);
    pButtons->Add(new wxButton(this, wxID_CLOSE, "&Close"));
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    pSizer->Add(m_pCanvas, 1, wxEXPAND);
    pSizer->Add(pButtons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(pSizer);
    SetEscapeId(wxID_CLOSE);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Print(); }, wxID_PRINT);
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
