// Runs a plain CDialog as a real modal dialog built from its template: controls placed in
// dialog units (converted by the toolkit from the dialog's font), tab order as listed,
// the first check box or edit box focused, OK to the dialog's OnOK, Esc and the close
// box to its OnCancel.
#pragma once

class CDialog;
class wxWindow;

// RESULT_OK or RESULT_CANCEL; RESULT_CANCEL at once when the template is unknown.
int RunTemplateDialog(wxWindow* pParent, CDialog& dialog);
