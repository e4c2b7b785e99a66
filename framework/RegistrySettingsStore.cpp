#include "framework/RegistrySettingsStore.h"

#include <windows.h>

RegistrySettingsStore::RegistrySettingsStore(std::string strCompany, std::string strApplication)
    : m_strRoot("Software\\" + strCompany + "\\" + strApplication)
{
}

std::uint32_t RegistrySettingsStore::GetProfileInt(const std::string& strSection,
                                                   const std::string& strKey, std::uint32_t nDefault)
{
    const std::string strPath = m_strRoot + "\\" + strSection;
    DWORD dwValue = 0;
    DWORD dwSize = sizeof dwValue;
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &dwValue, &dwSize) != ERROR_SUCCESS)
        return nDefault;
    return dwValue;
}

void RegistrySettingsStore::WriteProfileInt(const std::string& strSection,
                                            const std::string& strKey, std::int64_t nValue)
{
    m_pending[{strSection, strKey}] = static_cast<std::uint32_t>(nValue);
}

std::string RegistrySettingsStore::GetProfileString(const std::string& strSection,
                                                   const std::string& strKey,
                                                   const std::string& strDefault)
{
    const std::string strPath = m_strRoot + "\\" + strSection;
    DWORD dwSize = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &dwSize) != ERROR_SUCCESS || dwSize == 0)
        return strDefault;
    std::string strValue(dwSize, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, strPath.c_str(), strKey.c_str(), RRF_RT_REG_SZ, nullptr,
                     strValue.data(), &dwSize) != ERROR_SUCCESS)
        return strDefault;
    strValue.resize(dwSize > 0 ? dwSize - 1 : 0); // without the closing zero
    return strValue;
}

void RegistrySettingsStore::WriteProfileString(const std::string& strSection,
                                               const std::string& strKey, const std::string& strValue)
{
    if (strValue.find_first_of("\r\n") == std::string::npos)
        m_pendingStrings[{strSection, strKey}] = strValue;
}

bool RegistrySettingsStore::Flush()
{
    bool bOk = true;
    for (const auto& [name, strValue] : m_pendingStrings)
    {
        const std::string strPath = m_strRoot + "\\" + name.first;
        bOk = RegSetKeyValueA(HKEY_CURRENT_USER, strPath.c_str(), name.second.c_str(), REG_SZ,
                              strValue.c_str(), static_cast<DWORD>(strValue.size() + 1)) ==
                  ERROR_SUCCESS &&
              bOk;
    }
    m_pendingStrings.clear();
    for (const auto& [name, nValue] : m_pending)
    {
        const std::string strPath = m_strRoot + "\\" + name.first;
        HKEY hKey = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, strPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &hKey, nullptr) != ERROR_SUCCESS)
        {
            bOk = false;
            continue;
        }
        const DWORD dwValue = nValue;
        bOk = RegSetValueExA(hKey, name.second.c_str(), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue) == ERROR_SUCCESS &&
              bOk;
        RegCloseKey(hKey);
    }
    m_pending.clear();
    m_bFailed = !bOk;
    return bOk;
}
