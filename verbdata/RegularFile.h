// A file opened for reading only when it is a regular file, and never in a way that waits:
// opening a pipe would wait for a writer, a device may never end. Verb lists are read so.
#pragma once

#include <string>

class RegularFile
{
public:
    enum class Kind
    {
        Unopened, // open failed; Error() says why
        Regular,
        Directory,
        Other, // a pipe, a device, a socket: opened, looked at, and closed again
    };

    explicit RegularFile(const std::string& strPath);
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // Only a regular file stays open.
    bool IsOpen() const { return m_fd >= 0; }
    Kind GetKind() const { return m_kind; }
    // The system's error of a failed open or read (errno), 0 while there is none.
    int Error() const { return m_nError; }

    // Appends up to a block to strBytes; false at the end of the file or after a read
    // error, which Error() then tells.
    bool ReadBlock(std::string& strBytes);

private:
    void Close();

    int m_fd = -1;
    Kind m_kind = Kind::Unopened;
    int m_nError = 0;
};

// The path by which a file is known however it was reached: absolute, with every link
// resolved as far as the path exists. Two spellings of one file give the same path.
std::string ResolvedFilePath(const std::string& strPath);
