// The options dialog: the rabbit pictures, correcting, and the two verdict times in
// seconds. OK refuses a time that is no number, or one outside what the verdict timer
// can hold; a refused OK leaves every member as it was, and a box left as it was shown
// keeps its member exactly.
#pragma once

#include "framework/Dialog.h"

#include <map>
#include <string>

class COptionDlg : public CDialog
{
public:
    COptionDlg();

    int m_bRabbitCheck = 0;
    float m_fWrongSeconds = 0;
    float m_fRightSeconds = 0;
    int m_bNoCorrection = 0;

    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ExchangeSeconds(CDataExchange* pDX, int nId, float& fSeconds);

    // The text each time box was given when the dialog opened.
    std::map<int, std::string> m_shownText;
};

// The largest time the options accept, in seconds: its milliseconds fit in 32 bits.
constexpr float kMaxVerdictSeconds = 4294967.0f;
extern const char* const kTimeRangeMessage;
