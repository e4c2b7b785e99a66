// The per-user settings store: integers by section and key. Section and key names
// match without regard to case.
#pragma once

#include <cstdint>
#include <string>

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored value, or nDefault when the key is missing or its value is no
    // integer of 32 bits (signed or unsigned). Negative values arrive as their
    // unsigned 32-bit pattern.
    virtual std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                        std::uint32_t nDefault) = 0;

    // Changes a value in memory; Flush makes the changes durable in one step.
    virtual void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                 std::int64_t nValue) = 0;

    // Stores every change since the last Flush; false when that failed, in which case
    // whatever the store held before is left as it was. Never shows a message.
    virtual bool Flush() = 0;

    // Where the values are kept, for messages (a file's path); empty when nowhere.
    virtual std::string GetLocation() const = 0;
    // Why the last Flush failed, in words for the user; empty after one that succeeded.
    virtual std::string GetFlushFailure() const = 0;
};
