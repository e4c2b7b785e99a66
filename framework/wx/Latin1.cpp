#include "framework/wx/Latin1.h"

#include <wx/filename.h>
#include <wx/strconv.h>

wxString FromLatin1(const std::string& strText)
{
    // The length is passed so that an embedded NUL does not cut the text short.
    return wxString(strText.data(), wxConvISO8859_1, strText.size());
}

std::string ToLatin1(const wxString& str)
{
    std::string strResult;
    for (wxUniChar c : str)
        if (c.GetValue() <= 0xFF)
            strResult += static_cast<char>(c.GetValue());
    return strResult;
}

std::string ToLocalPath(const wxString& strPath)
{
    return std::string(strPath.mb_str(*wxConvFileName));
}

wxString FromLocalPath(const std::string& strPath)
{
    return wxString(strPath.c_str(), *wxConvFileName);
}

wxString FileNameOf(const std::string& strPath)
{
    return wxFileName(FromLocalPath(strPath)).GetFullName();
}
