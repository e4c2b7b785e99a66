#include "framework/Document.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

bool CDocument::OnOpenDocument(const std::string& strPath)
{
    std::error_code error;
    if (std::filesystem::is_directory(strPath, error) || !std::ifstream(strPath).is_open())
        return false;
    SetPathName(strPath);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& strPath)
{
    std::error_code error;
    if (std::filesystem::is_directory(strPath, error))
        return false;
    // Appending creates a missing file and leaves an existing one as it was.
    if (!std::ofstream(strPath, std::ios::app | std::ios::binary).is_open())
        return false;
    SetPathName(strPath);
    return true;
}

void CDocument::SetTitle(const std::string& strTitle)
{
    m_strTitle = strTitle;
    if (m_titleObserver)
        m_titleObserver(m_strTitle);
}

void CDocument::SetPathName(const std::string& strPath)
{
    m_strPathName = strPath;
    SetTitle(std::filesystem::path(strPath).filename().string());
}

void CDocument::SetTitleObserver(std::function<void(const std::string&)> observer)
{
    m_titleObserver = std::move(observer);
}
