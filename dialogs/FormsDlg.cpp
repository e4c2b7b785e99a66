#include "dialogs/FormsDlg.h"

#include "framework/Translation.h"
#include "framework/ViewWindow.h"
#include "res/DialogTemplates.h"


CFormsDlg::CFormsDlg() : CDialog(IDD_FORMS) {}

DirectionSet CFormsDlg::GetDirections() const
{
    DirectionSet directions;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        directions.Set(k, m_bDirection[k] != 0);
    return directions;
}

void CFormsDlg::DoDataExchange(CDataExchange* pDX)
{
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        DDX_Check(pDX, IDC_FORM_FIRST + static_cast<int>(k), m_bDirection[k]);
}

void CFormsDlg::OnOK()
{
    UpdateData(true);
    if (GetDirections().Any())
        CDialog::OnOK();
    else
        MessageBox(Tr("You have to chose at least one form"), "Taldrin", BOX_OK);
}
