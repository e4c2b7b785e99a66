// A settings store in memory that records every write, for tests of its users.
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
        reads.push_back(strSection + "/" + strKey);
        const auto it = values.find(Lower(strSection + "/" + strKey));
        return it == values.end() ? nDefault : static_cast<std::uint32_t>(it->second);
    }

    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override
    {
        writes.push_back(strSection + "/" + strKey + "=" + std::to_string(nValue));
        values[Lower(strSection + "/" + strKey)] = nValue;
    }

    bool Flush() override
    {
        ++flushes;
        return true;
    }

    void Set(const std::string& strSectionAndKey, std::int64_t nValue) { values[Lower(strSectionAndKey)] = nValue; }

    std::map<std::string, std::int64_t> values; // by lower-case "section/key"
    std::vector<std::string> reads;             // "section/key", as asked
    std::vector<std::string> writes;            // "section/key=value", as written
    int flushes = 0;

private:
    static std::string Lower(std::string str)
    {
        for (char& c : str)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return str;
    }
};
