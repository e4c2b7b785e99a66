#include "app/AboutDlg.h"

#include "framework/Translation.h"
#include "framework/wx/HelpViewer.h"
#include "framework/wx/Latin1.h"
#include "res/AppStrings.h"
#include "res/DialogTemplates.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{

constexpr int kLicenceColumns = 80;
constexpr int kLicenceLines = 30;

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::OnCommand(int nId)
{
    if (nId == IDC_ABOUT_LICENCE && m_fnShowLicence)
        m_fnShowLicence();
}

void ShowLicence(wxWindow* pParent)
{
    const wxString programDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const std::optional<wxString> file = HelpViewer::FindLicence(programDir);
    wxString strText;
    if (!file || !wxFFile(*file, "rb").ReadAll(&strText, wxConvUTF8) || strText.empty())
    {
        // TRANSLATORS: COPYING is a file name and stays as it is.
        wxMessageBox(WxText(Tr("The licence file COPYING was not found beside the program. Taldrin is "
                               "licensed under the GNU General Public License, version 3 or later.")),
                     kMessageCaption, wxOK | wxICON_EXCLAMATION, pParent);
        return;
    }
    strText.Replace("\r\n", "\n");

    wxDialog dialog(pParent, wxID_ANY, WxText(Tr("Licence")), wxDefaultPosition, wxDefaultSize,
                    wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    auto* pText = new wxTextCtrl(&dialog, wxID_ANY, strText, wxDefaultPosition, wxDefaultSize,
                                 wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    pText->SetFont(wxFont(wxFontInfo().Family(wxFONTFAMILY_TELETYPE)));
    // Eighty columns and thirty lines of its font, or what the screen has room for.
    const wxSize cell = pText->GetTextExtent(wxString('0', kLicenceColumns));
    wxSize size(cell.GetWidth() + 40, cell.GetHeight() * kLicenceLines);
    const int nDisplay = wxDisplay::GetFromWindow(pParent);
    size.DecTo(wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea().GetSize() -
               wxSize(60, 120));
    pText->SetMinSize(size);
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    pSizer->Add(pText, 1, wxEXPAND | wxALL, 8);
    pSizer->Add(new wxButton(&dialog, wxID_CLOSE, WxText(Tr("&Close"))), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    dialog.SetSizerAndFit(pSizer);
    dialog.SetEscapeId(wxID_CLOSE);
    dialog.Bind(wxEVT_BUTTON, [&dialog](wxCommandEvent&) { dialog.EndModal(wxID_CLOSE); }, wxID_CLOSE);
    dialog.CentreOnParent();
    pText->SetInsertionPoint(0);
    pText->SetFocus();
    dialog.ShowModal();
}
