#include "app/TestSheetDlg.h"

#include "app/TestSheetPrintout.h"
#include "framework/wx/WorkArea.h"
#include "editor/TestSheet.h"
#include "framework/Translation.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <random>

namespace
{

const char kCaption[] = TR_NOOP("Print Test Sheet");
constexpr int kShownRows = 12; // the list's height, in rows

// Printer, paper and orientation chosen once hold for the rest of the run.
wxPrintData& SheetPrintData()
{
    static wxPrintData data;
    return data;
}

// The sheet as it will be printed: blanks as a line to write on.
class CSheetRows : public wxListCtrl
{
public:
    CSheetRows(wxWindow* pParent, const TestSheet& sheet)
        : wxListCtrl(pParent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL), m_sheet(sheet)
    {
        // TRANSLATORS: the heading of the column that numbers the verbs; short.
        AppendColumn(WxText(Tr("No.")), wxLIST_FORMAT_RIGHT);
        for (int i = 0; i < kVerbFormCount; ++i)
            AppendColumn(WxText(Tr(VerbFormName(i))));
        const int nChar = GetCharWidth();
        SetColumnWidth(0, 6 * nChar);
        for (int i = 1; i <= kVerbFormCount; ++i)
            SetColumnWidth(i, 20 * nChar);
        SetInitialSize(wxSize(66 * nChar, (kShownRows + 2) * GetCharHeight() * 3 / 2));
    }

    void Refill()
    {
        SetItemCount(static_cast<long>(m_sheet.m_rows.size()));
        Refresh();
    }

private:
    wxString OnGetItemText(long nItem, long nColumn) const override
    {
        if (nItem < 0 || static_cast<std::size_t>(nItem) >= m_sheet.m_rows.size())
            return wxString();
        if (nColumn == 0)
            return wxString::Format("%ld", nItem + 1);
        const std::string& strCell = m_sheet.m_rows[static_cast<std::size_t>(nItem)].m_cells[nColumn - 1];
        return strCell.empty() ? wxString("________") : wxString::FromUTF8(strCell);
    }

    const TestSheet& m_sheet;
};

class CTestSheetDlg : public wxDialog
{
public:
    CTestSheetDlg(wxWindow* pParent, const VerbTable& table)
        : wxDialog(pParent, wxID_ANY, WxText(Tr(kCaption)), wxDefaultPosition, wxDefaultSize,
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
          m_table(table), m_random(std::random_device{}())
    {
        auto* pSizer = new wxBoxSizer(wxVERTICAL);
        m_pIntro = new wxStaticText(this, wxID_ANY, wxString());
        pSizer->Add(m_pIntro, wxSizerFlags().Border());

        auto* pGiven = new wxBoxSizer(wxHORIZONTAL);
        pGiven->Add(new wxStaticText(this, wxID_ANY, WxText(Tr("&Form given:"))), wxSizerFlags().Centre());
        m_pGiven = new wxChoice(this, wxID_ANY);
        for (int i = 0; i < kVerbFormCount; ++i)
            m_pGiven->Append(WxText(Tr(VerbFormName(i))));
        m_pGiven->Append(WxText(Tr("One of the three, at random")));
        m_pGiven->SetSelection(0);
        pGiven->Add(m_pGiven, wxSizerFlags().Border(wxLEFT).Centre());
        pSizer->Add(pGiven, wxSizerFlags().Border(wxLEFT | wxRIGHT));

        auto* pOrder = new wxBoxSizer(wxHORIZONTAL);
        m_pShuffle = new wxCheckBox(this, wxID_ANY, WxText(Tr("&Shuffle the verbs")));
        pOrder->Add(m_pShuffle, wxSizerFlags().Centre());
        m_pShuffleAgain = new wxButton(this, wxID_ANY, WxText(Tr("Shuffle &Again")));
        pOrder->Add(m_pShuffleAgain, wxSizerFlags().Border(wxLEFT).Centre());
        pSizer->Add(pOrder, wxSizerFlags().Border());

        m_pRows = new CSheetRows(this, m_sheet);
        pSizer->Add(m_pRows, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT));

        auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
        pButtons->AddStretchSpacer();
        pButtons->Add(new wxButton(this, wxID_PREVIEW, WxText(Tr("Pre&view..."))), wxSizerFlags().Border(wxLEFT));
        pButtons->Add(new wxButton(this, wxID_PRINT, WxText(Tr("&Print..."))), wxSizerFlags().Border(wxLEFT));
        pButtons->Add(new wxButton(this, wxID_CANCEL, WxText(Tr("Cancel"))), wxSizerFlags().Border(wxLEFT));
        pSizer->Add(pButtons, wxSizerFlags().Expand().Border());
        SetSizer(pSizer);

        m_pGiven->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { MakeSheet(); });
        m_pShuffle->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { MakeSheet(); });
        m_pShuffleAgain->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MakeSheet(); });
        for (const int nId : {wxID_PREVIEW, wxID_PRINT})
            Bind(wxEVT_BUTTON, [this, nId](wxCommandEvent&) { EndModal(nId); }, nId);
        SetAffirmativeId(wxID_PREVIEW);
        FindWindow(wxID_PREVIEW)->SetFocus();

        MakeSheet();
        Fit();
        CentreOnParent();
        FitInsideWorkArea(*this);
    }

    const TestSheet& GetSheet() const { return m_sheet; }

private:
    void MakeSheet()
    {
        const RandomBelow random = [this](std::size_t nBelow) {
            return nBelow == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, nBelow - 1)(m_random);
        };
        m_sheet = MakeTestSheet(m_table, static_cast<GivenForm>(m_pGiven->GetSelection()),
                                m_pShuffle->GetValue(), random);
        m_pShuffleAgain->Enable(m_pShuffle->GetValue());
        // TRANSLATORS: {1} is the number of verbs, {2} the list's title.
        m_pIntro->SetLabel(WxText(FillIn(TrN("{1} verbs of \"{2}\", each with one form given and two to write in. "
                                             "An answer key is printed after the sheet.",
                                             "{1} verbs of \"{2}\", each with one form given and two to write in. "
                                             "An answer key is printed after the sheet.",
                                             m_sheet.m_rows.size()),
                                         {std::to_string(m_sheet.m_rows.size()), m_sheet.m_strTitle})));
        m_pRows->Refill();
    }

    const VerbTable& m_table;
    std::mt19937 m_random;
    TestSheet m_sheet;
    wxStaticText* m_pIntro = nullptr;
    wxChoice* m_pGiven = nullptr;
    wxCheckBox* m_pShuffle = nullptr;
    wxButton* m_pShuffleAgain = nullptr;
    CSheetRows* m_pRows = nullptr;
};

void ShowPreview(wxWindow* pParent, const TestSheet& sheet)
{
    auto* pPreview = new wxPrintPreview(new CTestSheetPrintout(sheet), new CTestSheetPrintout(sheet),
                                        &SheetPrintData());
    if (!pPreview->IsOk())
    {
        delete pPreview;
        wxMessageBox(WxText(Tr("There is no printer to preview the test sheet for.")), WxText(Tr(kCaption)),
                     wxOK | wxICON_EXCLAMATION, pParent);
        return;
    }
    auto* pFrame = new wxPreviewFrame(pPreview, pParent, WxText(Tr("Test Sheet Preview")));
    pFrame->Initialize();
    // Most of the work area, wherever the editor is.
    const int nDisplay = wxDisplay::GetFromWindow(pParent);
    const wxRect area = wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea();
    pFrame->SetSize(area.Deflate(area.width / 10, area.height / 20));
    pFrame->Show();
}

} // namespace

void RunTestSheet(wxWindow* pParent, const VerbTable& table)
{
    if (IsClosing())
        return;
    const TestSheet probe = MakeTestSheet(table, GivenForm::Infinitive, false, [](std::size_t) { return 0; });
    if (probe.m_rows.empty())
    {
        wxMessageBox(WxText(Tr("The list has no verb with all three forms to print.")), WxText(Tr(kCaption)),
                     wxOK | wxICON_INFORMATION, pParent);
        return;
    }
    CTestSheetDlg dialog(pParent, table);
    const int nChoice = dialog.ShowModal();
    if (nChoice == wxID_PREVIEW)
        ShowPreview(pParent, dialog.GetSheet());
    else if (nChoice == wxID_PRINT)
    {
        wxPrintDialogData data(SheetPrintData());
        wxPrinter printer(&data);
        CTestSheetPrintout printout(dialog.GetSheet());
        if (printer.Print(pParent, &printout, true))
            SheetPrintData() = printer.GetPrintDialogData().GetPrintData();
        else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
            wxMessageBox(WxText(Tr("The test sheet could not be printed.")), WxText(Tr(kCaption)), wxOK | wxICON_EXCLAMATION, pParent);
    }
}
