// The About box: the program's icon, name and version and its year, then the copyright
// holder and the licence, built from its template; Licence... shows the licence's full
// text, OK or Esc closes it.
#pragma once

#include "framework/Dialog.h"

#include <functional>

class wxWindow;

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    void OnCommand(int nId) override;

    std::function<void()> m_fnShowLicence;
};

// The licence's full text (COPYING, as installed with the program) in a window of its
// own, modal over pParent; without the file, a message saying so.
void ShowLicence(wxWindow* pParent);
