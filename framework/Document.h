// The document base: a title, and a way for the window to learn that it changed.
// A document here never reads or writes a file of its own.
#pragma once

#include <functional>
#include <string>

class CDocument
{
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument() = default;

    // A new document in the same object; false would stop the new document.
    virtual bool OnNewDocument() { return true; }
    virtual void OnCloseDocument() {}

    void SetTitle(const std::string& strTitle);
    const std::string& GetTitle() const { return m_strTitle; }

    // Called with the new title after every SetTitle.
    void SetTitleObserver(std::function<void(const std::string&)> observer);

private:
    std::string m_strTitle;
    std::function<void(const std::string&)> m_titleObserver;
};
