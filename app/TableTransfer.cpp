#include "app/TableTransfer.h"

#include "app/ImportPreviewDlg.h"
#include "editor/CsvFile.h"
#include "editor/ListFiles.h"
#include "framework/Translation.h"
#include "framework/wx/Latin1.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace
{

const char kCaption[] = TR_NOOP("Verb List Editor");

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
        wxMessageBox(WxText(Tr("The clipboard holds no rows of verbs. Copy the rows in a spreadsheet or "
                               "a web page's table (each verb a row, its forms in cells side by side) and "
                               "paste again.")),
                     WxText(Tr(kCaption)), wxOK | wxICON_INFORMATION, pParent);
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
    // TRANSLATORS: a file dialog's filters: the parts in brackets stay as they are.
    wxFileDialog dialog(pParent, WxText(Tr("Export as CSV")), name.GetPath(), name.GetFullName(),
                        WxText(Tr("CSV files (*.csv)")) + "|*.csv|" + WxText(Tr("All files (*)")) + "|*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const std::string strPath(dialog.GetPath().mb_str(*wxConvFileName));
    const std::string strError = ExportCsv(strPath, table);
    if (strError.empty())
        return true;
    // TRANSLATORS: {1} is the file with its folder, {2} why it was not written.
    wxMessageBox(WxText(FillIn(Tr("The table was not exported to {1}: {2}."), {Utf8Of(dialog.GetPath()), strError})),
                 WxText(Tr(kCaption)), wxOK | wxICON_EXCLAMATION, pParent);
    return false;
}
