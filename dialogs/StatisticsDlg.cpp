#include "dialogs/StatisticsDlg.h"

#include "res/DialogTemplates.h"

CStatisticsDlg::CStatisticsDlg() : CDialog(IDD_STATISTICS) {}

void CStatisticsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_STATISTICS_TEXT, m_strText);
}
