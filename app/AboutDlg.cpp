#include "app/AboutDlg.h"

#include "res/AppStrings.h"
#include "res/pictures/app_icon_32.xpm"

#include <wx/button.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

CAboutDlg::CAboutDlg(wxWindow* pParent) : wxDialog(pParent, wxID_ANY, kAboutTitle)
{
    auto* pTexts = new wxBoxSizer(wxVERTICAL);
    pTexts->Add(new wxStaticText(this, wxID_ANY, kAboutVersion), 0, wxBOTTOM, 8);
    pTexts->Add(new wxStaticText(this, wxID_ANY, kAboutCopyright));

    auto* pOk = new wxButton(this, wxID_OK);
    pOk->SetDefault();

    auto* pRow = new wxBoxSizer(wxHORIZONTAL);
    pRow->Add(new wxStaticBitmap(this, wxID_ANY, wxIcon(app_icon_32_xpm)), 0, wxRIGHT, 16);
    pRow->Add(pTexts, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
    pRow->Add(pOk, 0, wxALIGN_TOP);

    auto* pOuter = new wxBoxSizer(wxVERTICAL);
    pOuter->Add(pRow, 1, wxEXPAND | wxALL, 12);
    SetSizerAndFit(pOuter);

    // No Cancel button: Esc ends the box as OK does.
    SetEscapeId(wxID_OK);
    pOk->SetFocus();
    CentreOnParent();
}
