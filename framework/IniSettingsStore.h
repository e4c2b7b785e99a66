// Settings in a per-user INI file, replaced whole on every flush: written to a
// temporary file beside it, synced to disk and renamed over the old one, so an
// interrupted write leaves the old file or the new one, never a damaged one. A flush
// writes only the values this store changed, into the file as it is at that moment:
// two programs sharing the file keep each other's changes.
#pragma once

#include "framework/SettingsStore.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class IniSettingsStore : public SettingsStore
{
public:
    // An empty path is no file at all: every key reads as missing and Flush fails.
    explicit IniSettingsStore(std::filesystem::path file);

    // <XdgUserFolder($XDG_CONFIG_HOME, $HOME, .config)>/vespin/vespin.conf; empty when no
    // folder is known, so settings never land in the working directory.
    static std::filesystem::path DefaultPath();

    std::uint32_t GetProfileInt(const std::string& strSection, const std::string& strKey,
                                std::uint32_t nDefault) override;
    void WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         std::int64_t nValue) override;
    // A text with blanks at either end or in quotes is stored in double quotes, which
    // reading takes off again.
    std::string GetProfileString(const std::string& strSection, const std::string& strKey,
                                 const std::string& strDefault) override;
    void WriteProfileString(const std::string& strSection, const std::string& strKey,
                            const std::string& strValue) override;
    // A file that is there but could not be read is the user's, not ours: it is never
    // replaced, and Flush fails; so it does for a read-only file and for links that
    // belong to someone else (see ReplaceUserFile).
    bool Flush() override;
    std::string GetLocation() const override;
    std::string GetFlushFailure() const override;

    const std::filesystem::path& GetPath() const { return m_file; }

private:
    struct Text
    {
        std::vector<std::string> lines;
        std::string strLineEnd = "\n";
        std::string strByteOrderMark;
    };
    // One value this program wrote, kept until a flush has put it into the file.
    struct Change
    {
        std::string strSection, strKey, strValue;
        std::function<bool(const std::string&)> fnReadsAsValue; // whether an entry's value reads as it
    };

    void Load();
    std::string ReadFile(Text& text) const;
    // Index of the key's line in the section, or of the line after which a new key of
    // the section goes (npos when the section is missing); bFound tells which.
    static std::size_t FindKey(const std::vector<std::string>& lines, const std::string& strSection,
                               const std::string& strKey, bool& bFound);
    bool FindValue(const std::string& strSection, const std::string& strKey, std::string& strValue);
    // Records the value, unless the entry already reads as it.
    void WriteLine(const std::string& strSection, const std::string& strKey,
                   const std::string& strValue,
                   const std::function<bool(const std::string&)>& fnReadsAsValue);
    // Sets the entry in lines; false when it already read as the value.
    static bool Apply(const Change& change, std::vector<std::string>& lines);

    std::filesystem::path m_file;
    bool m_bLoaded = false;
    Text m_text;                 // as read, with this program's changes
    std::vector<Change> m_changes;
    std::string m_strFailure; // why the last Flush failed
};
