// The options dialog: the rabbit pictures, correcting, and the two verdict times in
// seconds. OK refuses a time that is no number, or one outside what the verdict timer
// can hold; a refused time never reaches its member.
#pragma once

#include "framework/Dialog.h"

class COptionDlg : public CDialog
{
public:
    COptionDlg();

    int m_bRabbitCheck = 0;
    float m_fWrongSeconds = 0;
    float m_fRightSeconds = 0;
    int m_bNoCorrection = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// The largest time the options accept, in seconds: its milliseconds fit in 32 bits.
constexpr float kMaxVerdictSeconds = 4294967.0f;
extern const char* const kTimeRangeMessage;
