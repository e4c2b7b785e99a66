// The About box: icon, program name and version, copyright, OK.
#pragma once

#include <wx/dialog.h>

class CAboutDlg : public wxDialog
{
public:
    explicit CAboutDlg(wxWindow* pParent);
};
