// A file that holds the user's data (settings, history), read and written under one set of
// rules: a file that is there but could not be read is never replaced; a replaced file
// keeps its mode and, where the system allows, its owner; links are followed only where
// they and the file they lead to belong to us (root's own links for anyone); temporary
// files are created exclusively; a file size limit fails the write instead of ending the
// program. Each operation returns an empty text on success, else the reason in words for
// the user (the system's own for its errors).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// When this program runs as root (effective): the first folder, from the top, on the way to
// `folder` (an absolute path) that belongs to another user, as a home does under sudo
// without -H. Nothing is created or replaced in there: ResolveUserFile fails for it, and so
// every write below does. Empty otherwise, and always on Windows.
std::string OthersFolder(const std::filesystem::path& folder);

// Reads the whole file into strText. Where nothing is (a link that leads nowhere included)
// it reads as empty with bMissing set. Anything there that is no regular file of at most
// nMaxSize bytes, or cannot be opened, fails; a pipe or a device is never waited on.
std::string ReadUserFile(const std::filesystem::path& file, std::uintmax_t nMaxSize, std::string& strText,
                         bool& bMissing);

// Where a write to `file` goes: the end of its link chain, with every folder's links
// followed too. Fails for a link that belongs to someone other than us or root, for a
// file reached through links that is not ours, a loop, no regular file, or a file whose
// owner made it read-only. bExists tells whether target is there; bLinked whether any link
// was followed on the way.
std::string ResolveUserFile(const std::filesystem::path& file, std::filesystem::path& target, bool& bExists,
                            bool& bLinked);

// Replaces the file's text in one step: a temporary file created exclusively beside the
// resolved file, given its mode and owner, synced and renamed over it. A new file gets
// nNewMode, and its missing folders when no link leads there.
std::string ReplaceUserFile(const std::filesystem::path& file, const std::string& strText,
                            unsigned nNewMode = 0644);

// Appends strLine and a line feed with a single write, creating the file as Replace does.
// A write cut short (a full disk, a size limit) is taken back, so no half line stays.
std::string AppendUserFileLine(const std::filesystem::path& file, const std::string& strLine,
                               unsigned nNewMode = 0644);

// Which file a path names, to tell whether it is still the file one holds open: its device
// and number, both 0 where no file is (or none can be looked at).
struct UserFileId
{
    std::uint64_t nDevice = 0;
    std::uint64_t nFile = 0;
    bool operator==(const UserFileId& other) const { return nDevice == other.nDevice && nFile == other.nFile; }
    bool operator!=(const UserFileId& other) const { return !(*this == other); }
};
// The file at the end of the path's links.
UserFileId IdentifyUserFile(const std::filesystem::path& file);

// A file of the user's kept open for appending whole lines (the history). Open resolves the
// file as ResolveUserFile does; a missing file is created holding strNewText, put in place
// whole and never over a file another program created meanwhile. strHead receives the
// file's first nHead bytes (fewer in a shorter file), bEndsInLine whether its last byte
// is a line feed.
class UserFileAppender
{
public:
    UserFileAppender() = default;
    UserFileAppender(const UserFileAppender&) = delete;
    UserFileAppender& operator=(const UserFileAppender&) = delete;
    ~UserFileAppender() { Close(); }

    std::string Open(const std::filesystem::path& file, const std::string& strNewText, std::size_t nHead,
                     std::string& strHead, bool& bEndsInLine);
    bool IsOpen() const { return m_fd >= 0; }
    // The file held open; all 0 when none is.
    UserFileId GetId() const;
    // One write, so that lines of two programs appending at once never mix; a write cut
    // short leaves a torn line, which readers skip.
    std::string Append(const std::string& strBytes);
    // Makes what was appended durable; false when that failed.
    bool Sync();
    void Close();

private:
    int m_fd = -1;
};

// This process's id: it tells apart what two running programs write.
unsigned long CurrentProcessId();
