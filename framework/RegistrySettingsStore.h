// Windows: the settings as values under HKEY_CURRENT_USER\Software\<company>\<application>
// \<section>, a DWORD each (a text as a string value). The registry matches names without
// regard to case, as the store promises.
#pragma once

#include "framework/SettingsStore.h"

#include <map>
#include <string>
#include <utility>

class RegistrySettingsStore : public SettingsStore
{
public:
    RegistrySettingsStore(std::string strCompany, std::string strApplication);

    // A value of another type than DWORD (a string, a QWORD, bytes) reads as missing.
    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override;
    // A value beyond 32 bits is stored as a QWORD, so it reads back as missing, as a
    // number too long does from the settings file on Linux.
    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override;
    std::string GetProfileString(const std::string& strSection, const std::string& strKey,
                                 const std::string& strDefault) override;
    void WriteProfileString(const std::string& strSection, const std::string& strKey,
                            const std::string& strValue) override;
    // Writes the values this store changed, one by one: a value written as this store read
    // it is no change, and does not overwrite what another program saved meanwhile. A value
    // that could not be written stays pending for the next Flush.
    bool Flush() override;
    std::string GetLocation() const override { return "HKEY_CURRENT_USER\\" + m_strRoot; }
    std::string GetFlushFailure() const override { return m_bFailed ? "the registry refused a value" : ""; }

private:
    struct Pending
    {
        std::string m_strSection, m_strKey;
        bool m_bText = false;
        std::int64_t m_nValue = 0;
        std::string m_strText;
    };

    // Whether value reads as what this store last read or wrote under that name.
    bool AsSeen(const std::string& strName, const Pending& value) const;

    std::string m_strRoot;
    bool m_bFailed = false;
    std::map<std::string, Pending> m_pending; // by lower-case "section\key"
    std::map<std::string, Pending> m_seen;    // read from the registry or written to it
};
