#include "dialogs/OptionDlg.h"

#include "res/DialogTemplates.h"

const char* const kTimeRangeMessage = "Please enter a time from 0 to 4294967 seconds.";

namespace
{

void DDX_Seconds(CDataExchange* pDX, int nId, float& fSeconds)
{
    DDX_Text(pDX, nId, fSeconds);
    if (pDX->m_bSaveAndValidate && !pDX->Failed() && !(fSeconds >= 0 && fSeconds <= kMaxVerdictSeconds))
        pDX->Fail(nId, kTimeRangeMessage);
}

} // namespace

COptionDlg::COptionDlg() : CDialog(IDD_OPTION) {}

void COptionDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_RABBIT, m_bRabbitCheck);
    DDX_Seconds(pDX, IDC_WRONG_TIME, m_fWrongSeconds);
    DDX_Seconds(pDX, IDC_RIGHT_TIME, m_fRightSeconds);
    DDX_Check(pDX, IDC_NO_CORRECTION, m_bNoCorrection);
}
