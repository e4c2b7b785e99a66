#include "app/SessionEnd.h"

#include "app/MainFrame.h"
#include "app/VerbListEditor.h"
#include "framework/UserFolders.h"
#include "framework/wx/Closing.h"

#include <wx/app.h>

#include <csignal>
#include <cstdlib>
#include <cstdio>

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
// Writes the settings as File > Close does and ends the process at once. Any number of
// modal loops (dialogs, message boxes, the toolkit's print and file dialogs) may be on
// the stack: unwinding them would run the code after each one on a frame that is going.
// Nobody can be asked about an unsaved verb list now: it is written to a file of its own.
[[noreturn]] void EndSession()
{
    BeginClosing();
    if (g_pFrame)
        g_pFrame->CloseDocument();
    CVerbListEditor::RescueUnsaved(UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    std::fflush(nullptr);
    RemoveLibrariesFolder();
    ::_exit(0);
}

// Called from the event loop, not inside the signal: anything may be done here.
void OnSessionSignal(int)
{
    // After the frame is gone the program is ending anyway, its settings written.
    if (g_pFrame)
        EndSession();
}
#endif

#if defined(__WXGTK__) && defined(TALDRIN_HAVE_X11)
// Without a display no window can close; Xlib ends the process if this returns.
int OnDisplayLost(Display*)
{
    EndSession();
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
