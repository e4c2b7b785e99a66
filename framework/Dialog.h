// A modal dialog's values and rules, apart from its controls: the members, their
// exchange with the controls (DoDataExchange), and what OK does. The window side builds
// the controls from the dialog's template and runs it (ViewWindow::DoModal).
#pragma once

#include <string>

// The controls of a running dialog, by control id, and its window services.
class DialogControls
{
public:
    virtual ~DialogControls() = default;

    virtual int GetCheck(int nId) const = 0;
    virtual void SetCheck(int nId, int nChecked) = 0;
    virtual std::string GetText(int nId) const = 0; // Latin-1
    virtual void SetText(int nId, const std::string& strText) = 0;
    virtual void SetFocus(int nId) = 0;
    virtual int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) = 0;
    virtual void EndDialog(int nResult) = 0;
};

// One exchange between the members and the controls. Saving stops at the first control
// that does not hold a valid value: the user is told, the focus goes to that control,
// and the members after it keep their values.
class CDataExchange
{
public:
    CDataExchange(DialogControls& controls, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_controls(controls)
    {
    }

    DialogControls& Controls() const { return m_controls; }
    bool Failed() const { return m_bFailed; }
    // Reports a control whose text is refused, and stops the exchange.
    void Fail(int nId, const std::string& strMessage);

    const bool m_bSaveAndValidate;

private:
    DialogControls& m_controls;
    bool m_bFailed = false;
};

void DDX_Check(CDataExchange* pDX, int nId, int& nValue);
// Shown with six significant digits ("%.6g"), read back as a decimal number; both
// independent of the process locale, and a comma is taken as the decimal point.
void DDX_Text(CDataExchange* pDX, int nId, float& fValue);
void DDX_Text(CDataExchange* pDX, int nId, std::string& strValue);

// The message for a box that holds no number.
extern const char* const kNotANumberMessage;

// "%.6g" in the C locale.
std::string FormatFloat(float fValue);
// A decimal number with optional sign and exponent, blanks around it allowed, "." or
// "," as the decimal point; false for anything else.
bool ParseFloat(const std::string& strText, float& fValue);

class CDialog
{
public:
    explicit CDialog(int nTemplateId) : m_nTemplateId(nTemplateId) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog() = default;

    int GetTemplateId() const { return m_nTemplateId; }

    // Called by the window side: once the controls exist (bound), then for the OK
    // button, and for Esc or the close box.
    void Bind(DialogControls* pControls) { m_pControls = pControls; }
    virtual void OnInitDialog() { UpdateData(false); }
    virtual void OnOK();
    virtual void OnCancel();
    // A push button of the template other than OK.
    virtual void OnCommand(int /*nId*/) {}

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    // False when a control held an invalid value (already reported).
    bool UpdateData(bool bSaveAndValidate);
    void EndDialog(int nResult);
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle);

private:
    const int m_nTemplateId;
    DialogControls* m_pControls = nullptr;
};
