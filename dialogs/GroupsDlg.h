// The groups dialog: which verb groups a lesson includes. OK needs one box at least.
// Its boxes are numbered in neither screen nor flag order; GetGroups sorts that out.
#pragma once

#include "framework/Dialog.h"
#include "verbdata/GroupSet.h"

class CGroupsDlg : public CDialog
{
public:
    CGroupsDlg();

    GroupSet GetGroups() const;
    void OnOK() override;

    // In member order: Basic 1, Basic 2, irregular and regular, Essential 1,
    // Essential 2, Literature; 0 unchecked, 1 checked.
    int m_bGroup[kGroupCount] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
