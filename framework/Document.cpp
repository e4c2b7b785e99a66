#include "framework/Document.h"

#include <utility>

void CDocument::SetTitle(const std::string& strTitle)
{
    m_strTitle = strTitle;
    if (m_titleObserver)
        m_titleObserver(m_strTitle);
}

void CDocument::SetTitleObserver(std::function<void(const std::string&)> observer)
{
    m_titleObserver = std::move(observer);
}
