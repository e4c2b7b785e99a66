// The forms dialog: which of the six directions a lesson asks. OK needs one box at least.
#pragma once

#include "framework/Dialog.h"
#include "verbdata/DirectionSet.h"

class CFormsDlg : public CDialog
{
public:
    CFormsDlg();

    DirectionSet GetDirections() const;
    void OnOK() override;

    // One per direction, in flag order; 0 unchecked, 1 checked.
    int m_bDirection[kDirectionCount] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
