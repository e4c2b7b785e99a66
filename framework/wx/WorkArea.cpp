#include "framework/wx/WorkArea.h"

#include "framework/Translation.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <algorithm>

namespace
{

// Characters a line of the details holds before it wraps, and lines shown before they scroll.
constexpr int kDetailColumns = 72;
constexpr int kDetailRows = 14;

wxRect WorkAreaOf(const wxWindow& window)
{
    int nDisplay = wxDisplay::GetFromWindow(&window);
    if (nDisplay == wxNOT_FOUND && window.GetParent())
        nDisplay = wxDisplay::GetFromWindow(window.GetParent());
    return wxDisplay(nDisplay == wxNOT_FOUND ? 0u : static_cast<unsigned>(nDisplay)).GetClientArea();
}

} // namespace

void FitInsideWorkArea(wxTopLevelWindow& window)
{
    const wxRect area = WorkAreaOf(window);
    wxRect rect = window.GetRect();
    rect.width = std::min(rect.width, area.width);
    rect.height = std::min(rect.height, area.height);
    rect.x = std::max(area.x, std::min(rect.x, area.GetRight() + 1 - rect.width));
    rect.y = std::max(area.y, std::min(rect.y, area.GetBottom() + 1 - rect.height));
    window.SetSize(rect);
}

int ShowLongMessage(wxWindow* pParent, const wxString& strCaption, const wxString& strIntro,
                    const wxString& strDetails, const wxString& strQuestion, LongMessageButtons buttons)
{
    const bool bAsks = buttons != LongMessageButtons::Ok;
    if (IsClosing())
        return bAsks ? wxID_NO : wxID_OK;
    wxDialog dialog(pParent, wxID_ANY, strCaption, wxDefaultPosition, wxDefaultSize,
                    wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    auto* pTop = new wxBoxSizer(wxHORIZONTAL);
    pTop->Add(new wxStaticBitmap(&dialog, wxID_ANY,
                                 wxArtProvider::GetBitmap(bAsks ? wxART_QUESTION : wxART_WARNING,
                                                          wxART_MESSAGE_BOX)),
              0, wxRIGHT, dialog.FromDIP(10));
    auto* pIntro = new wxStaticText(&dialog, wxID_ANY, strIntro);
    pTop->Add(pIntro, 1, wxALIGN_CENTRE_VERTICAL);

    auto* pDetails = new wxTextCtrl(&dialog, wxID_ANY, strDetails, wxDefaultPosition, wxDefaultSize,
                                    wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
    const wxSize letter = pDetails->GetTextExtent("n");
    // Narrower than the screen, so that the buttons keep their row at any scale.
    const wxRect area = WorkAreaOf(pParent ? *pParent : static_cast<wxWindow&>(dialog));
    const int nWidth = std::min(letter.x * kDetailColumns, area.width * 3 / 4);
    const int nLines = static_cast<int>(strDetails.Freq('\n')) + 1;
    pDetails->SetMinSize(wxSize(nWidth, letter.y * (std::min(nLines, kDetailRows) + 1)));
    pIntro->Wrap(nWidth);

    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    const int nBorder = dialog.FromDIP(10);
    pSizer->Add(pTop, 0, wxEXPAND | wxALL, nBorder);
    pSizer->Add(pDetails, 1, wxEXPAND | wxLEFT | wxRIGHT, nBorder);
    if (!strQuestion.empty())
    {
        auto* pQuestion = new wxStaticText(&dialog, wxID_ANY, strQuestion);
        pQuestion->Wrap(nWidth);
        pSizer->Add(pQuestion, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, nBorder);
    }
    // One row of buttons, the answer that changes nothing by default. Built by hand: the
    // toolkit's button sizer stacks them on a screen it takes for a small one (scaled twice).
    auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
    const auto AddButton = [&](int nId, const wxString& strLabel) {
        pButtons->Add(new wxButton(&dialog, nId, strLabel), 0, wxLEFT, nBorder);
    };
    if (buttons == LongMessageButtons::UseEditCancel)
    {
        pButtons->Add(new wxButton(&dialog, wxID_EDIT, WxText(Tr("&Edit"))));
        pButtons->AddStretchSpacer();
        AddButton(wxID_NO, WxText(Tr("Cancel")));
        AddButton(wxID_YES, WxText(Tr("&Use Anyway")));
    }
    else
    {
        pButtons->AddStretchSpacer();
        if (bAsks)
        {
            AddButton(wxID_NO, WxText(Tr("&No")));
            AddButton(wxID_YES, WxText(Tr("&Yes")));
        }
        else
            AddButton(wxID_OK, WxText(Tr("OK")));
    }
    pSizer->Add(pButtons, 0, wxEXPAND | wxALL, nBorder);
    dialog.SetSizerAndFit(pSizer);
    // The details give up their height first when the screen is small.
    pDetails->SetMinSize(wxSize(letter.x * 20, letter.y * 3));
    wxSize minimum = dialog.GetSizer()->GetMinSize();
    minimum.DecTo(area.GetSize());
    dialog.SetMinSize(minimum);
    dialog.CentreOnParent();
    FitInsideWorkArea(dialog);

    const int nDefault = bAsks ? wxID_NO : wxID_OK;
    if (bAsks)
    {
        dialog.SetEscapeId(wxID_NO);
        for (const int nId : {wxID_YES, wxID_NO, wxID_EDIT})
            dialog.Bind(wxEVT_BUTTON, [&dialog, nId](wxCommandEvent&) { dialog.EndModal(nId); }, nId);
    }
    // Return and Space answer the default button, not the box of details.
    if (auto* pButton = wxDynamicCast(dialog.FindWindow(nDefault), wxButton))
    {
        pButton->SetDefault();
        pButton->SetFocus();
    }
    const int nResult = dialog.ShowModal();
    if (!bAsks)
        return wxID_OK;
    return nResult == wxID_YES || nResult == wxID_EDIT ? nResult : wxID_NO;
}
