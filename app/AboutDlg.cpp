#include "app/AboutDlg.h"

#include "res/DialogTemplates.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
