// Settings in a per-user INI file, replaced whole on every flush: written to a
// temporary file beside it, synced to disk and renamed over the old one, so an
// interrupted write leaves the old file or the new one, never a damaged one.
#pragma once

#include "framework/SettingsStore.h"

#include <filesystem>
#include <string>
#include <vector>

class IniSettingsStore : public SettingsStore
{
public:
    explicit IniSettingsStore(std::filesystem::path file);

    // $XDG_CONFIG_HOME/vespin/vespin.conf, or ~/.config/vespin/vespin.conf.
    static std::filesystem::path DefaultPath();

    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override;
    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override;
    bool Flush() override;

    const std::filesystem::path& GetPath() const { return m_file; }

private:
    void Load();
    // Index of the key's line in the section, or of the line after which a new key of
    // the section goes (npos when the section is missing); bFound tells which.
    std::size_t FindKey(const std::string& strSection, const std::string& strKey, bool& bFound) const;

    std::filesystem::path m_file;
    bool m_bLoaded = false;
    bool m_bDirty = false;
    std::vector<std::string> m_lines;
};
