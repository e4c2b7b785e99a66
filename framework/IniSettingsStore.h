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
    // An empty path is no file at all: every key reads as missing and Flush fails.
    explicit IniSettingsStore(std::filesystem::path file);

    // $XDG_CONFIG_HOME/vespin/vespin.conf, else <home>/.config/vespin/vespin.conf with the
    // home from $HOME or, failing that, the password database. Only absolute folders
    // count; with none the path is empty, so settings never land in the working directory.
    static std::filesystem::path DefaultPath();

    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override;
    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override;
    // A file that is there but could not be read is the user's, not ours: it is never
    // replaced, and Flush fails; so it does for a read-only file and for links that
    // belong to someone else (see ReplaceUserFile).
    bool Flush() override;
    std::string GetLocation() const override;
    std::string GetFlushFailure() const override;

    const std::filesystem::path& GetPath() const { return m_file; }

private:
    void Load();
    // Index of the key's line in the section, or of the line after which a new key of
    // the section goes (npos when the section is missing); bFound tells which.
    std::size_t FindKey(const std::string& strSection, const std::string& strKey, bool& bFound) const;

    std::filesystem::path m_file;
    bool m_bLoaded = false;
    bool m_bDirty = false;
    std::string m_strUnreadable; // why a file that is there could not be read
    std::string m_strLineEnd = "\n";
    std::string m_strByteOrderMark; // kept from the file read
    std::string m_strFailure;       // why the last Flush failed
    std::vector<std::string> m_lines;
};
