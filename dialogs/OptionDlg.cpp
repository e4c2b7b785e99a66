#include "dialogs/OptionDlg.h"

#include "framework/Translation.h"
#include "framework/ViewWindow.h"
#include "res/DialogTemplates.h"

#include <tuple>

const char* const kTimeRangeMessage = TR_NOOP("Please enter a time from 0 to 4294967 seconds.");

COptionDlg::COptionDlg() : CDialog(IDD_OPTION) {}

void COptionDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_RABBIT, m_bRabbitCheck);
    ExchangeSeconds(pDX, IDC_WRONG_TIME, m_fWrongSeconds);
    ExchangeSeconds(pDX, IDC_RIGHT_TIME, m_fRightSeconds);
    DDX_Check(pDX, IDC_NO_CORRECTION, m_bNoCorrection);
}

void COptionDlg::OnOK()
{
    // The boxes read before a refused one would otherwise keep what they read.
    auto members = std::tie(m_bRabbitCheck, m_fWrongSeconds, m_fRightSeconds, m_bNoCorrection);
    const std::tuple<int, float, float, int> before = members;
    if (UpdateData(true))
        EndDialog(RESULT_OK);
    else
        members = before;
}

// A stored time can show as a rounded text beyond the range ("4.29497e+06"): an
// unchanged box is therefore not read back at all.
void COptionDlg::ExchangeSeconds(CDataExchange* pDX, int nId, float& fSeconds)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate)
    {
        DDX_Text(pDX, nId, fSeconds);
        m_shownText[nId] = pDX->Controls().GetText(nId);
        return;
    }
    const auto shown = m_shownText.find(nId);
    if (shown != m_shownText.end() && shown->second == pDX->Controls().GetText(nId))
        return;
    float fTyped = fSeconds;
    DDX_Text(pDX, nId, fTyped);
    if (pDX->Failed())
        return;
    if (fTyped >= 0 && fTyped <= kMaxVerdictSeconds)
        fSeconds = fTyped;
    else
        pDX->Fail(nId, Tr(kTimeRangeMessage));
}
