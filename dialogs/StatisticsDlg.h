// The statistics dialog: shows the text the command put together.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CStatisticsDlg : public CDialog
{
public:
    CStatisticsDlg();

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
