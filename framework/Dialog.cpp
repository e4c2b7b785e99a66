#include "framework/Dialog.h"

#include "framework/Translation.h"
#include "framework/ViewWindow.h"
#include "res/AppStrings.h"

#include <cerrno>
#include <charconv>
#include <cmath>

const char* const kNotANumberMessage = TR_NOOP("Please enter a number.");

void CDataExchange::Fail(int nId, const std::string& strMessage)
{
    m_bFailed = true;
    m_controls.MessageBox(strMessage, kAppName, BOX_OK | BOX_ICONEXCLAMATION);
    m_controls.SetFocus(nId);
}

void DDX_Check(CDataExchange* pDX, int nId, int& nValue)
{
    if (pDX->Failed())
        return;
    if (pDX->m_bSaveAndValidate)
        nValue = pDX->Controls().GetCheck(nId);
    else
        pDX->Controls().SetCheck(nId, nValue);
}

void DDX_Text(CDataExchange* pDX, int nId, float& fValue)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate)
        pDX->Controls().SetText(nId, FormatFloat(fValue));
    else if (!ParseFloat(pDX->Controls().GetText(nId), fValue))
        pDX->Fail(nId, Tr(kNotANumberMessage));
}

void DDX_Text(CDataExchange* pDX, int nId, std::string& strValue)
{
    if (pDX->Failed())
        return;
    if (pDX->m_bSaveAndValidate)
        strValue = pDX->Controls().GetText(nId);
    else
        pDX->Controls().SetText(nId, strValue);
}

std::string FormatFloat(float fValue)
{
    char sz[32];
    const auto result = std::to_chars(sz, sz + sizeof sz, fValue, std::chars_format::general, 6);
    return std::string(sz, result.ptr);
}

bool ParseFloat(const std::string& strText, float& fValue)
{
    const std::size_t first = strText.find_first_not_of(' ');
    if (first == std::string::npos)
        return false;
    std::string strNumber = strText.substr(first, strText.find_last_not_of(' ') - first + 1);
    for (char& c : strNumber)
        if (c == ',')
            c = '.';
    // from_chars takes no leading "+"; a lone sign is no number.
    const char* pBegin = strNumber.data();
    const char* pEnd = pBegin + strNumber.size();
    if (*pBegin == '+' && pEnd - pBegin > 1 && pBegin[1] != '-')
        ++pBegin;
    float fParsed = 0;
    const auto result = std::from_chars(pBegin, pEnd, fParsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != pEnd || !std::isfinite(fParsed))
        return false;
    fValue = fParsed;
    return true;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(RESULT_OK);
}

void CDialog::OnCancel()
{
    EndDialog(RESULT_CANCEL);
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    if (!m_pControls)
        return false;
    CDataExchange dx(*m_pControls, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CDialog::EndDialog(int nResult)
{
    if (m_pControls)
        m_pControls->EndDialog(nResult);
}

int CDialog::MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle)
{
    return m_pControls ? m_pControls->MessageBox(strText, strCaption, nStyle) : RESULT_OK;
}
