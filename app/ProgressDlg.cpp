#include "app/ProgressDlg.h"

#include "framework/Translation.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "res/AppStrings.h"
#include "view/ProgressView.h"

#include "framework/UserFile.h"
#include "verbdata/ListEncoding.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
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

CProgressDlg::CProgressDlg(wxWindow* pParent, HistoryProgress progress, std::optional<ReviewOverview> review,
                           std::string strCsv, std::uint32_t nReviewLimit)
    : wxDialog(pParent, wxID_ANY, WxText(TrC("window title", "Progress")), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_strCsv(std::move(strCsv))
{
    m_pCanvas = new ViewCanvas(this);
    const bool bReview = review.has_value();
    m_pView = std::make_unique<CProgressView>(std::move(progress), *m_pCanvas, std::move(review));
    m_pCanvas->SetView(m_pView.get());
    // All of it where the screen allows; the window can be made larger.
    const int nDisplay = pParent ? wxDisplay::GetFromWindow(pParent) : wxNOT_FOUND;
    const int nWorkHeight = wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea().GetHeight();
    m_pCanvas->SetMinSize(wxSize(kViewWidth, std::min(MeasureHeight(*m_pView), std::max(200, nWorkHeight - kFrameHeight))));

    auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
    if (bReview)
    {
        // TRANSLATORS: beside a number the learner sets, in the Progress window.
        pButtons->Add(new wxStaticText(this, wxID_ANY, WxText(Tr("Questions per review lesson:"))), 0,
                      wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
        m_pLimit = new wxSpinCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                                  static_cast<int>(kMaxReviewLimit), static_cast<int>(ClampReviewLimit(nReviewLimit)));
        pButtons->Add(m_pLimit, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
        auto* pExport = new wxButton(this, wxID_ANY, WxText(Tr("&Export...")));
        pButtons->Add(pExport, 0, wxRIGHT, 8);
        pExport->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Export(); });
    }
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

std::uint32_t CProgressDlg::GetReviewLimit() const
{
    return ClampReviewLimit(m_pLimit ? static_cast<std::uint32_t>(std::max(1, m_pLimit->GetValue())) : kDefaultReviewLimit);
}

// Written whole in one step as every user file is; an existing file is replaced only after
// the dialog asked.
void CProgressDlg::Export()
{
    // TRANSLATORS: a file dialog's title and filters; the parts in brackets stay as they are.
    wxFileDialog dialog(this, WxText(Tr("Export Progress")), wxString(), "progress.csv",
                        WxText(Tr("CSV files (*.csv)")) + "|*.csv|" + WxText(Tr("All files (*)")) + "|*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const std::string strPath = ToLocalPath(dialog.GetPath());
    const std::string strFailure = ReplaceUserFile(strPath, m_strCsv);
    if (!strFailure.empty())
        // TRANSLATORS: {1} is the file chosen, {2} why it could not be written.
        wxMessageBox(WxText(FillIn(Tr("The progress could not be written to {1}: {2}."), {ReadableText(strPath), strFailure})),
                     kAppName, wxOK | wxICON_EXCLAMATION, this);
}

void CProgressDlg::Print()
{
    ScreenPrintout printout(kAppName, *m_pView);
    wxPrinter printer;
    printer.Print(this, &printout, true);
}
