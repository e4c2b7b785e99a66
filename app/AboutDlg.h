// The About box: the program's icon, name and version and its year, built from its
// template; OK or Esc closes it.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
};
