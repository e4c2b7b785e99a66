#include "app/TableTransfer.h"

#include "app/ImportPreviewDlg.h"
#include "editor/CsvFile.h"
#include "editor/ListFiles.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace
{

const char kCaption[] = "Verb List Editor";

std::string ClipboardText()
{
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return {};
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return {};
    return std::string(data.GetText().utf8_str());
}

} // namespace

bool PasteClipboardRows(wxWindow* pParent, VerbTable& table, std::size_t nAt)
{
    const std::string strText = ClipboardText();
    ImportResult result = PasteRows(strText);
    if (result.m_rows.empty())
    {
        wxMessageBox("The clipboard holds no rows of verbs. Copy the rows in a spreadsheet or "
                     "a web page's table (each verb a row, its forms in cells side by side) and "
                     "paste again.",
                     kCaption, wxOK | wxICON_INFORMATION, pParent);
        return false;
    }
    table.InsertRows(std::min(nAt, table.RowCount()), std::move(result.m_rows));
    ShowImportProblems(pParent, result);
    return true;
}

bool RunExportCsv(wxWindow* pParent, const VerbTable& table, const std::string& strListPath)
{
    wxFileName name(wxString(strListPath.c_str(), *wxConvFileName));
    if (!name.HasName())
        name.SetName("verbs"); // a list never saved
    name.SetExt("csv");
    wxFileDialog dialog(pParent, "Export as CSV", name.GetPath(), name.GetFullName(),
                        "CSV files (*.csv)|*.csv|All files (*)|*", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const std::string strPath(dialog.GetPath().mb_str(*wxConvFileName));
    const std::string strError = ExportCsv(strPath, table);
    if (strError.empty())
        return true;
    wxMessageBox("The table was not exported to " + dialog.GetPath() + ": " + wxString::FromUTF8(strError) + ".",
                 kCaption, wxOK | wxICON_EXCLAMATION, pParent);
    return false;
}
