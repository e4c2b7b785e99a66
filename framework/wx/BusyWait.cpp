#include "framework/wx/BusyWait.h"

#include "framework/wx/Closing.h"
#include "framework/wx/WorkArea.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/utils.h>

namespace
{

// Most waits end within this long, and then no dialog flashes up.
constexpr int kQuietMilliseconds = 250;
constexpr int kPollMilliseconds = 10;
constexpr int kPulseMilliseconds = 100;

} // namespace

bool WaitWhileBusy(wxWindow* pParent, const wxString& strCaption, const wxString& strText,
                   const std::function<bool()>& fnDone)
{
    for (int nWaited = 0; !fnDone(); nWaited += kPollMilliseconds)
    {
        if (nWaited >= kQuietMilliseconds)
            break;
        wxMilliSleep(kPollMilliseconds);
    }
    if (fnDone())
        return !IsClosing();
    if (IsClosing())
        return false;

    wxDialog dialog(pParent, wxID_ANY, strCaption, wxDefaultPosition, wxDefaultSize,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    const int nBorder = dialog.FromDIP(10);
    auto* pText = new wxStaticText(&dialog, wxID_ANY, strText);
    pText->Wrap(dialog.FromDIP(400));
    pSizer->Add(pText, 0, wxEXPAND | wxALL, nBorder);
    auto* pGauge = new wxGauge(&dialog, wxID_ANY, 100);
    pSizer->Add(pGauge, 0, wxEXPAND | wxLEFT | wxRIGHT, nBorder);
    pSizer->Add(dialog.CreateStdDialogButtonSizer(wxCANCEL), 0, wxEXPAND | wxALL, nBorder);
    dialog.SetSizerAndFit(pSizer);
    dialog.CentreOnParent();
    FitInsideWorkArea(dialog);

    wxTimer timer(&dialog);
    dialog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (fnDone())
            dialog.EndModal(wxID_OK);
        else if (IsClosing())
            dialog.EndModal(wxID_CANCEL);
        else
            pGauge->Pulse();
    });
    timer.Start(kPulseMilliseconds);
    const int nResult = dialog.ShowModal();
    timer.Stop();
    return nResult == wxID_OK && !IsClosing();
}
