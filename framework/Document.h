// The document base: a title, and a way for the window to learn that it changed; and
// the file commands, which only ever name the document after a file: a document here
// reads nothing from a file and writes nothing into one.
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
    // Opening: false when the path is no regular file that can be read; else the
    // document takes its name.
    virtual bool OnOpenDocument(const std::string& strPath);
    // Saving creates the file when it is missing and never changes one that exists;
    // false for anything but a regular file (a pipe is never waited on), or when it
    // could not be created. The document then takes the file's name.
    virtual bool OnSaveDocument(const std::string& strPath);

    void SetTitle(const std::string& strTitle);
    const std::string& GetTitle() const { return m_strTitle; }
    // The file the document was last opened from or saved to; the title becomes its name.
    void SetPathName(const std::string& strPath);
    const std::string& GetPathName() const { return m_strPathName; }

    // Called with the new title after every SetTitle.
    void SetTitleObserver(std::function<void(const std::string&)> observer);

private:
    std::string m_strTitle;
    std::string m_strPathName;
    std::function<void(const std::string&)> m_titleObserver;
};
