// A settings store in memory that logs every call, for tests of its users.
#pragma once

#include "framework/SettingsStore.h"

#include <cctype>
#include <map>
#include <string>
#include <vector>

class MemorySettingsStore : public SettingsStore
{
public:
    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override
    {
        log.push_back("get " + strSection + "/" + strKey);
        const auto it = values.find(Lower(strSection + "/" + strKey));
        return it == values.end() ? nDefault : static_cast<std::uint32_t>(it->second);
    }

    void WriteProfileInt(const std::string& strSection, const std::string& strKey, std::int64_t nValue) override
    {
        log.push_back("set " + strSection + "/" + strKey + "=" + std::to_string(nValue));
        values[Lower(strSection + "/" + strKey)] = nValue;
    }

    bool Flush() override { log.push_back("flush"); return strFailure.empty(); }
    std::string GetLocation() const override { return "memory"; }
    std::string GetFlushFailure() const override { return strFailure; }

    // Names match without regard to case, as in the real stores.
    static std::string Lower(std::string str)
    {
        for (char& c : str)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return str;
    }

    std::map<std::string, std::int64_t> values; // by Lower("section/key")
    std::vector<std::string> log;               // "get section/key", "set section/key=value", "flush"
    std::string strFailure;                     // set: every Flush fails with this reason
};
