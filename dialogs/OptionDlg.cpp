#include "dialogs/OptionDlg.h"

#include "res/DialogTemplates.h"

const char* const kTimeRangeMessage = "Please enter a time from 0 to 4294967 seconds.";

namespace
{

// A time the box refuses, as no number or out of range, leaves the member as it was.
void DDX_Seconds(CDataExchange* pDX, int nId, float& fSeconds)
{
    float fTyped = fSeconds;
    DDX_Text(pDX, nId, fTyped);
    if (!pDX->m_bSaveAndValidate || pDX->Failed())
        return;
    if (fTyped >= 0 && fTyped <= kMaxVerdictSeconds)
        fSeconds = fTyped;
    else
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
