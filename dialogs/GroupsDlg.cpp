#include "dialogs/GroupsDlg.h"

#include "framework/Translation.h"
#include "framework/ViewWindow.h"
#include "res/DialogTemplates.h"


namespace
{

// The box of each member, and the member behind each GroupSet flag.
const int kMemberControls[kGroupCount] = {IDC_GROUP_BAS1, IDC_GROUP_BAS2, IDC_GROUP_DOP,
                                          IDC_GROUP_ESS1, IDC_GROUP_ESS2, IDC_GROUP_LIT};
const std::size_t kMemberOfFlag[kGroupCount] = {5, 3, 4, 0, 1, 2}; // lit ess1 ess2 bas1 bas2 dop

} // namespace

CGroupsDlg::CGroupsDlg() : CDialog(IDD_GROUPS) {}

GroupSet CGroupsDlg::GetGroups() const
{
    GroupSet groups;
    for (std::size_t flag = 0; flag < kGroupCount; ++flag)
        groups.Set(flag, m_bGroup[kMemberOfFlag[flag]] != 0);
    return groups;
}

void CGroupsDlg::DoDataExchange(CDataExchange* pDX)
{
    for (std::size_t k = 0; k < kGroupCount; ++k)
        DDX_Check(pDX, kMemberControls[k], m_bGroup[k]);
}

void CGroupsDlg::OnOK()
{
    UpdateData(true);
    if (GetGroups().Any())
        CDialog::OnOK();
    else
        MessageBox(Tr("You have to choose at least one verb group!"), "Taldrin", BOX_OK);
}
