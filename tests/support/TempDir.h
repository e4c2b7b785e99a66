// A fresh temporary folder for one test, removed afterwards; optionally the working
// directory while the test runs.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

class TempDir
{
public:
    TempDir()
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / "taldrin-test-XXXXXX").string();
        m_path = ::mkdtemp(strTemplate.data());
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

private:
    std::filesystem::path m_path, m_previous;
};
