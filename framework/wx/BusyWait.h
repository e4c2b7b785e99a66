// Waiting for work done on another thread without leaving the window unresponsive.
#pragma once

#include <wx/string.h>

#include <functional>

class wxWindow;

// Waits until fnDone is true; it is asked on this thread, often. A wait longer than a
// moment shows a modal dialog with strText, a moving bar and Cancel, the program's windows
// repainting meanwhile. False when the user cancelled, or the program began closing.
bool WaitWhileBusy(wxWindow* pParent, const wxString& strCaption, const wxString& strText,
                   const std::function<bool()>& fnDone);
