// Dialogs kept inside the screen's work area, whatever the text they show and the scale of
// the screen.
#pragma once

#include <wx/string.h>

class wxTopLevelWindow;
class wxWindow;

// Shrinks the window to the work area of the display it is on (its parent's, before it is
// shown) and moves it inside, so that its buttons can be reached.
void FitInsideWorkArea(wxTopLevelWindow& window);

enum class LongMessageButtons
{
    Ok,
    YesNo,         // No the default, Esc too
    UseEditCancel, // "Use Anyway" (wxID_YES), "Edit" (wxID_EDIT), "Cancel" (wxID_NO, the default)
};

// A message whose details may be long: strIntro, then strDetails in a box that scrolls
// and wraps, then strQuestion (none when empty); the dialog fits the work area. Returns the
// button's id; OK alone gives wxID_OK. Once the program is closing nothing is shown: wxID_NO.
int ShowLongMessage(wxWindow* pParent, const wxString& strCaption, const wxString& strIntro,
                    const wxString& strDetails, const wxString& strQuestion, LongMessageButtons buttons);
