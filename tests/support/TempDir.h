// A fresh temporary folder for one test, removed afterwards; optionally the working
// directory while the test runs.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

class TempDir
{
public:
    TempDir()
    {
        // create_directory is false when the folder was there: only a new one is ours.
        std::random_device random;
        do
            m_path = std::filesystem::temp_directory_path() / ("taldrin-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(m_path));
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        if (!m_previous.empty())
            std::filesystem::current_path(m_previous);
        std::error_code error;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_path, error);
    }

    const std::filesystem::path& Path() const { return m_path; }

    void Enter() { m_previous = std::filesystem::current_path(); std::filesystem::current_path(m_path); }

    std::filesystem::path Write(const std::string& strName, const std::string& strContent) const
    {
        std::filesystem::create_directories((m_path / strName).parent_path());
        std::ofstream(m_path / strName, std::ios::binary) << strContent;
        return m_path / strName;
    }

    static std::string Read(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A file that is not a regular one and that opening may wait on: a pipe, or on
    // Windows, which has none in the file system, a folder.
    static bool MakeNonRegular(const std::filesystem::path& file)
    {
#ifdef _WIN32
        return std::filesystem::create_directory(file);
#else
        return ::mkfifo(file.c_str(), 0644) == 0;
#endif
    }

private:
    std::filesystem::path m_path, m_previous;
};
