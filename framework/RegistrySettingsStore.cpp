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

bool RegistrySettingsStore::Flush()
{
    bool bOk = true;
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
