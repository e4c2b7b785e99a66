// <windows.h> comes first: it defines GetProfileInt as a macro for its own INI call,
// which is undone here before our member of that name is declared.
#include <windows.h>
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString

#include "framework/RegistrySettingsStore.h"

#include <cctype>

namespace
{

std::string PendingName(const std::string& strSection, const std::string& strKey)
{
    std::string str = strSection + "\\" + strKey;
    for (char& c : str)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return str;
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string strCompany, std::string strApplication)
    : m_strRoot("Software\\" + strCompany + "\\" + strApplication)
{
}

std::uint32_t RegistrySettingsStore::GetProfileInt(const std::string& strSection,
                                                   const std::string& strKey, std::uint32_t nDefault)
{
    if (const auto it = m_pending.find(PendingName(strSection, strKey));
        it != m_pending.end() && !it->second.m_bText)
    {
        const std::int64_t n = it->second.m_nValue;
        return n >= INT32_MIN && n <= UINT32_MAX ? static_cast<std::uint32_t>(n) : nDefault;
    }
    const std::string strPath = m_strRoot + "\\" + strSection;
    DWORD dwValue = 0;
    DWORD dwSize = sizeof dwValue;
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &dwValue, &dwSize) != ERROR_SUCCESS)
        return nDefault;
    m_seen[PendingName(strSection, strKey)] = {strSection, strKey, false, dwValue, {}};
    return dwValue;
}

void RegistrySettingsStore::WriteProfileInt(const std::string& strSection,
                                            const std::string& strKey, std::int64_t nValue)
{
    const std::string strName = PendingName(strSection, strKey);
    const Pending value{strSection, strKey, false, nValue, {}};
    if (AsSeen(strName, value))
        m_pending.erase(strName);
    else
        m_pending[strName] = value;
}

std::string RegistrySettingsStore::GetProfileString(const std::string& strSection,
                                                   const std::string& strKey,
                                                   const std::string& strDefault)
{
    if (const auto it = m_pending.find(PendingName(strSection, strKey));
        it != m_pending.end() && it->second.m_bText)
        return it->second.m_strText;
    const std::string strPath = m_strRoot + "\\" + strSection;
    DWORD dwSize = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &dwSize) != ERROR_SUCCESS ||
        dwSize == 0)
        return strDefault;
    std::string strValue(dwSize, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_SZ, nullptr,
                     strValue.data(), &dwSize) != ERROR_SUCCESS)
        return strDefault;
    strValue.resize(dwSize > 0 ? dwSize - 1 : 0); // without the closing zero
    m_seen[PendingName(strSection, strKey)] = {strSection, strKey, true, 0, strValue};
    return strValue;
}

void RegistrySettingsStore::WriteProfileString(const std::string& strSection,
                                               const std::string& strKey, const std::string& strValue)
{
    if (strValue.find_first_of("\r\n") != std::string::npos)
        return;
    const std::string strName = PendingName(strSection, strKey);
    const Pending value{strSection, strKey, true, 0, strValue};
    if (AsSeen(strName, value))
        m_pending.erase(strName);
    else
        m_pending[strName] = value;
}

bool RegistrySettingsStore::AsSeen(const std::string& strName, const Pending& value) const
{
    const auto it = m_seen.find(strName);
    if (it == m_seen.end() || it->second.m_bText != value.m_bText)
        return false;
    if (value.m_bText)
        return it->second.m_strText == value.m_strText;
    // A DWORD is read back as its unsigned pattern: -1 as 4294967295. A QWORD never matches.
    const auto dword = [](std::int64_t n) { return n >= INT32_MIN && n <= UINT32_MAX; };
    return dword(it->second.m_nValue) && dword(value.m_nValue) &&
           static_cast<std::uint32_t>(it->second.m_nValue) == static_cast<std::uint32_t>(value.m_nValue);
}

bool RegistrySettingsStore::Flush()
{
    bool bOk = true;
    for (auto it = m_pending.begin(); it != m_pending.end();)
    {
        const Pending& value = it->second;
        const std::string strPath = m_strRoot + "\\" + value.m_strSection;
        HKEY hKey = nullptr;
        LSTATUS nStatus = RegCreateKeyExA(HKEY_CURRENT_USER, strPath.c_str(), 0, nullptr, 0,
                                          KEY_SET_VALUE, nullptr, &hKey, nullptr);
        if (nStatus == ERROR_SUCCESS)
        {
            const std::int64_t n = value.m_nValue;
            const DWORD dwValue = static_cast<DWORD>(n);
            const bool bDword = n >= INT32_MIN && n <= UINT32_MAX;
            const char* pszKey = value.m_strKey.c_str();
            if (value.m_bText)
                nStatus = RegSetValueExA(hKey, pszKey, 0, REG_SZ,
                                         reinterpret_cast<const BYTE*>(value.m_strText.c_str()),
                                         static_cast<DWORD>(value.m_strText.size() + 1));
            else if (bDword)
                nStatus = RegSetValueExA(hKey, pszKey, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
            else
                nStatus = RegSetValueExA(hKey, pszKey, 0, REG_QWORD,
                                         reinterpret_cast<const BYTE*>(&n), sizeof n);
            RegCloseKey(hKey);
        }
        if (nStatus == ERROR_SUCCESS)
        {
            m_seen[it->first] = value;
            it = m_pending.erase(it);
        }
        else
        {
            bOk = false;
            ++it;
        }
    }
    m_bFailed = !bOk;
    return bOk;
}
