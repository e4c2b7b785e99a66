#include "app/SessionEnd.h"

#include "app/MainFrame.h"

#include <wx/app.h>
#include <wx/dialog.h>

#include <csignal>

#ifndef __WXMSW__
#include <unistd.h>
#endif

#if defined(__WXGTK__) && defined(TALDRIN_HAVE_X11)
#include <X11/Xlib.h>
#endif

namespace
{

CMainFrame* g_pFrame = nullptr;

#ifndef __WXMSW__
// Called from the event loop, not inside the signal: anything may be done here.
void OnSessionSignal(int)
{
    if (!g_pFrame)
        return;
    // The settings go first, whatever is open: they are what must not be lost.
    g_pFrame->CloseDocument();
    // A modal dialog ends as if cancelled, so that its loop returns to the frame's.
    for (wxWindow* pWindow : wxTopLevelWindows)
        if (auto* pDialog = wxDynamicCast(pWindow, wxDialog); pDialog && pDialog->IsModal())
            pDialog->EndModal(wxID_CANCEL);
    g_pFrame->Close(true);
    // Nothing else wakes the loop to destroy the frame and end the program.
    wxWakeUpIdle();
}
#endif

#if defined(__WXGTK__) && defined(TALDRIN_HAVE_X11)
// Without a display no window can close; Xlib ends the process if this returns.
int OnDisplayLost(Display*)
{
    if (g_pFrame)
        g_pFrame->CloseDocument();
    ::_exit(1);
}
#endif

} // namespace

void CloseFrameOnSessionEnd(CMainFrame* pFrame)
{
    g_pFrame = pFrame;
    if (!pFrame)
        return;
#ifndef __WXMSW__
    // The toolkit watches for signals only from a running event loop. (Windows ends a
    // session with a message instead, on which the toolkit closes the frame itself.)
    wxTheApp->CallAfter([] {
        for (const int nSignal : {SIGTERM, SIGINT, SIGHUP})
            wxTheApp->SetSignalHandler(nSignal, OnSessionSignal);
    });
#endif
#if defined(__WXGTK__) && defined(TALDRIN_HAVE_X11)
    // Replaces the toolkit's handler, which ends the process at once.
    XSetIOErrorHandler(OnDisplayLost);
#endif
}
