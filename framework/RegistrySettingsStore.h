// Windows: the settings under HKEY_CURRENT_USER\Software\<company>\<application>.
#pragma once

#include "framework/SettingsStore.h"

#include <map>
#include <string>
#include <utility>

class RegistrySettingsStore : public SettingsStore
{
public:
    RegistrySettingsStore(std::string strCompany, std::string strApplication);

    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override;
    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override;
    bool Flush() override;
    std::string GetLocation() const override { return "HKEY_CURRENT_USER\\" + m_strRoot; }
    std::string GetFlushFailure() const override { return m_bFailed ? "the registry refused a value" : ""; }

private:
    std::string m_strRoot;
    bool m_bFailed = false;
    std::map<std::pair<std::string, std::string>, std::uint32_t> m_pending;
};
