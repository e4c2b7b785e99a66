#include "app/ImportPreviewDlg.h"

#include "framework/wx/WorkArea.h"
#include "editor/CellRules.h"
#include "editor/ListFiles.h"
#include "framework/wx/Closing.h"
#include "verbdata/GroupSet.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <vector>

namespace
{

const char kCaption[] = "Import";
constexpr std::size_t kPreviewRows = 8;
// Columns past these are never offered: no verb table is that wide.
constexpr std::size_t kMostColumns = 12;
constexpr std::size_t kProblemsNamed = 8;

const char kSeparators[] = {',', ';', '\t'};
const char* const kSeparatorNames[] = {"Comma", "Semicolon", "Tab"};
const TextEncoding kEncodings[] = {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE,
                                   TextEncoding::Windows1252};
const char* const kEncodingNames[] = {"UTF-8", "UTF-16, little-endian (Unicode text)",
                                      "UTF-16, big-endian", "Windows-1252 (Western)"};
// The choice of each source column: not imported, then the verb table's columns.
const char* const kTargetNames[] = {"Not imported", "Group", "Infinitive", "Past Tense", "Past Participle"};

// The item of a value in a choice; one the choice lacks shows as its first.
template <typename T, std::size_t N>
int IndexOf(const T (&values)[N], const T& value)
{
    return static_cast<int>(std::find(values, values + N, value) - values) % static_cast<int>(N);
}

std::string ColumnHeading(VerbColumn column)
{
    return kTargetNames[static_cast<std::size_t>(column) + 1];
}

class CImportPreviewDlg : public wxDialog
{
public:
    CImportPreviewDlg(wxWindow* pParent, const wxString& strName, std::string strBytes)
        : wxDialog(pParent, wxID_ANY, kCaption + wxString(" - ") + strName, wxDefaultPosition,
                   wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
          m_strBytes(std::move(strBytes))
    {
        m_text = ReadCsv(m_strBytes);
        m_mapping = GuessMapping(m_text);

        auto* pSizer = new wxBoxSizer(wxVERTICAL);
        pSizer->Add(new wxStaticText(this, wxID_ANY,
                                     "The first rows of \"" + strName +
                                         "\". Say which column holds which form of the verbs."),
                    wxSizerFlags().Border());

        auto* pReading = new wxFlexGridSizer(2, wxSize(FromDIP(6), FromDIP(4)));
        m_pSeparator = AddChoice(pReading, "&Separator:", kSeparatorNames);
        m_pEncoding = AddChoice(pReading, "&Encoding:", kEncodingNames);
        pSizer->Add(pReading, wxSizerFlags().Border(wxLEFT | wxRIGHT));
        m_pHeading = new wxCheckBox(this, wxID_ANY, "The first row &names the columns");
        m_pHeading->SetName("heading");
        pSizer->Add(m_pHeading, wxSizerFlags().Border());

        m_pPreview = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
        m_pPreview->SetInitialSize(
            wxSize(70 * GetCharWidth(), static_cast<int>(kPreviewRows + 2) * GetCharHeight() * 3 / 2));
        pSizer->Add(m_pPreview, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT));

        m_pColumns = new wxFlexGridSizer(2, wxSize(FromDIP(6), FromDIP(4)));
        pSizer->Add(m_pColumns, wxSizerFlags().Border());

        auto* pGroup = new wxBoxSizer(wxHORIZONTAL);
        pGroup->Add(new wxStaticText(this, wxID_ANY, "&Group of the verbs that name none:"),
                    wxSizerFlags().Centre());
        m_pGroup = new wxChoice(this, wxID_ANY);
        m_pGroup->SetName("group");
        for (std::size_t i = 0; i < kGroupCount; ++i)
            m_pGroup->Append(wxString::FromUTF8(GroupName(i)));
        pGroup->Add(m_pGroup, wxSizerFlags().Border(wxLEFT).Centre());
        pSizer->Add(pGroup, wxSizerFlags().Border(wxLEFT | wxRIGHT));

        m_pStatus = new wxStaticText(this, wxID_ANY, wxString());
        m_pStatus->SetName("status");
        pSizer->Add(m_pStatus, wxSizerFlags().Expand().Border());

        wxStdDialogButtonSizer* pButtons = new wxStdDialogButtonSizer;
        m_pImport = new wxButton(this, wxID_OK, "&Import");
        pButtons->AddButton(m_pImport);
        pButtons->AddButton(new wxButton(this, wxID_CANCEL, "Cancel"));
        pButtons->Realize();
        pSizer->Add(pButtons, wxSizerFlags().Expand().Border());
        SetSizer(pSizer);

        m_pSeparator->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Reread(); });
        m_pEncoding->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Reread(); });
        m_pHeading->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
            m_text.m_dialect.m_bHeading = m_pHeading->GetValue();
            Remap();
        });
        m_pGroup->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            m_mapping.m_strGroup = kGroupTags[static_cast<std::size_t>(m_pGroup->GetSelection())];
            UpdateStatus();
        });

        const int nGroup = FindGroup(m_mapping.m_strGroup);
        m_pGroup->SetSelection(nGroup < 0 ? 0 : nGroup);
        ShowDialect();
        ShowColumns();
        m_pImport->SetDefault();
        Fit();
        CentreOnParent();
        FitInsideWorkArea(*this);
    }

    ImportResult TakeResult() { return std::move(m_result); }

private:
    template <std::size_t N>
    wxChoice* AddChoice(wxFlexGridSizer* pSizer, const char* pszLabel, const char* const (&names)[N])
    {
        pSizer->Add(new wxStaticText(this, wxID_ANY, pszLabel), wxSizerFlags().CentreVertical());
        auto* pChoice = new wxChoice(this, wxID_ANY);
        for (const char* pszName : names)
            pChoice->Append(pszName);
        pSizer->Add(pChoice);
        return pChoice;
    }

    void ShowDialect()
    {
        m_pSeparator->SetSelection(IndexOf(kSeparators, m_text.m_dialect.m_cSeparator));
        m_pEncoding->SetSelection(IndexOf(kEncodings, m_text.m_dialect.m_encoding));
        m_pHeading->SetValue(m_text.m_dialect.m_bHeading);
    }

    // The separator or encoding changed: the rows are split again and the columns guessed
    // anew, the group kept.
    void Reread()
    {
        CsvDialect dialect = m_text.m_dialect;
        dialect.m_cSeparator = kSeparators[m_pSeparator->GetSelection()];
        dialect.m_encoding = kEncodings[m_pEncoding->GetSelection()];
        m_text = ParseCsv(m_strBytes, dialect);
        Remap();
    }

    void Remap()
    {
        const std::string strGroup = m_mapping.m_strGroup;
        m_mapping = GuessMapping(m_text);
        m_mapping.m_strGroup = strGroup;
        ShowColumns();
        Layout();
        Fit();
        CentreOnParent();
        FitInsideWorkArea(*this);
    }

    std::size_t ColumnCount() const
    {
        std::size_t nColumns = 0;
        for (const CsvRow& row : m_text.m_rows)
            nColumns = std::max(nColumns, row.m_cells.size());
        return std::min(nColumns, kMostColumns);
    }

    wxString SourceName(std::size_t nColumn) const
    {
        wxString strName = wxString::Format("Column %zu", nColumn + 1);
        if (m_text.m_dialect.m_bHeading && !m_text.m_rows.empty() &&
            nColumn < m_text.m_rows.front().m_cells.size() && !m_text.m_rows.front().m_cells[nColumn].empty())
            strName += " (" + wxString::FromUTF8(m_text.m_rows.front().m_cells[nColumn]) + ")";
        return strName;
    }

    // The preview's rows and a choice per source column, from the text and the mapping.
    void ShowColumns()
    {
        const std::size_t nColumns = ColumnCount();
        m_pPreview->ClearAll();
        for (std::size_t c = 0; c < nColumns; ++c)
            m_pPreview->AppendColumn(SourceName(c), wxLIST_FORMAT_LEFT, 14 * GetCharWidth());
        const std::size_t nFirst = m_text.m_dialect.m_bHeading ? 1 : 0;
        for (std::size_t r = nFirst; r < m_text.m_rows.size() && r < nFirst + kPreviewRows; ++r)
        {
            const std::vector<std::string>& cells = m_text.m_rows[r].m_cells;
            const long nItem = m_pPreview->InsertItem(m_pPreview->GetItemCount(), wxString());
            for (std::size_t c = 0; c < nColumns && c < cells.size(); ++c)
                m_pPreview->SetItem(nItem, static_cast<long>(c), wxString::FromUTF8(cells[c]));
        }

        m_pColumns->Clear(true);
        m_targets.clear();
        // Made anew, the controls go where they stand in the tab order: after the preview.
        wxWindow* pBefore = m_pPreview;
        for (std::size_t c = 0; c < nColumns; ++c)
        {
            auto* pLabel = new wxStaticText(this, wxID_ANY, SourceName(c) + ":");
            m_pColumns->Add(pLabel, wxSizerFlags().CentreVertical());
            auto* pChoice = new wxChoice(this, wxID_ANY);
            pLabel->MoveAfterInTabOrder(pBefore);
            pChoice->MoveAfterInTabOrder(pLabel);
            pBefore = pChoice;
            pChoice->SetName(wxString::Format("column %zu", c + 1)); // for tests to find
            for (const char* pszName : kTargetNames)
                pChoice->Append(pszName);
            int nTarget = 0;
            for (std::size_t t = 0; t < kVerbColumnCount; ++t)
                if (m_mapping.m_nColumn[t] == static_cast<int>(c))
                    nTarget = static_cast<int>(t) + 1;
            pChoice->SetSelection(nTarget);
            pChoice->Bind(wxEVT_CHOICE, [this, c](wxCommandEvent&) { ChooseTarget(c); });
            m_pColumns->Add(pChoice);
            m_targets.push_back(pChoice);
        }
        UpdateStatus();
    }

    // A verb column is filled from one source column: choosing it for one takes it from
    // any other.
    void ChooseTarget(std::size_t nColumn)
    {
        const int nTarget = m_targets[nColumn]->GetSelection();
        for (std::size_t c = 0; c < m_targets.size(); ++c)
            if (c != nColumn && nTarget > 0 && m_targets[c]->GetSelection() == nTarget)
                m_targets[c]->SetSelection(0);
        m_mapping.m_nColumn.fill(-1);
        for (std::size_t c = 0; c < m_targets.size(); ++c)
            if (const int nChosen = m_targets[c]->GetSelection(); nChosen > 0)
                m_mapping.m_nColumn[static_cast<std::size_t>(nChosen - 1)] = static_cast<int>(c);
        UpdateStatus();
    }

    void UpdateStatus()
    {
        m_result = {};
        wxString strStatus;
        if (!m_text.m_strProblem.empty())
        {
            strStatus = wxString::FromUTF8(m_text.m_strProblem); // "this is no table: ..."
            strStatus[0] = wxToupper(strStatus[0]);
            strStatus += ".";
        }
        else
        {
            std::vector<std::string> missing;
            for (VerbColumn column : {VerbColumn::Infinitive, VerbColumn::PastTense, VerbColumn::PastParticiple})
                if (m_mapping.m_nColumn[static_cast<std::size_t>(column)] < 0)
                    missing.push_back(ColumnHeading(column));
            for (std::size_t i = 0; i < missing.size(); ++i)
                strStatus += (i == 0 ? "Choose the columns that hold the " : i + 1 < missing.size() ? ", " : " and ") +
                             missing[i];
            if (missing.size() == 1)
                strStatus.Replace("the columns that hold", "the column that holds");
            if (!missing.empty())
                strStatus += ".";
        }
        m_pImport->Enable(strStatus.empty());
        if (strStatus.empty())
        {
            m_result = ImportRows(m_text, m_mapping, false);
            strStatus = wxString::Format("%zu verbs will be imported.", m_result.m_rows.size());
            if (!m_result.m_problems.empty())
                strStatus += wxString::Format(" %zu cells cannot be taken and will be left empty.",
                                              m_result.m_problems.size());
            m_pImport->Enable(!m_result.m_rows.empty());
        }
        m_pStatus->SetLabel(strStatus);
        m_pStatus->Wrap(m_pPreview->GetSize().x > 0 ? m_pPreview->GetSize().x : 70 * GetCharWidth());
    }

    std::string m_strBytes;
    CsvText m_text;
    ColumnMapping m_mapping;
    ImportResult m_result;
    wxChoice* m_pSeparator = nullptr;
    wxChoice* m_pEncoding = nullptr;
    wxCheckBox* m_pHeading = nullptr;
    wxListCtrl* m_pPreview = nullptr;
    wxFlexGridSizer* m_pColumns = nullptr;
    std::vector<wxChoice*> m_targets;
    wxChoice* m_pGroup = nullptr;
    wxStaticText* m_pStatus = nullptr;
    wxButton* m_pImport = nullptr;
};

} // namespace

bool RunImportPreview(wxWindow* pParent, const std::string& strPath, ImportResult& result)
{
    if (IsClosing())
        return false;
    const wxString strName = wxFileName(wxString(strPath.c_str(), *wxConvFileName)).GetFullName();
    std::string strBytes;
    std::string strProblem = ReadListFile(strPath, strBytes);
    if (strProblem.empty())
        strProblem = ReadCsv(strBytes).m_strProblem;
    if (!strProblem.empty())
    {
        wxMessageBox("\"" + strName + "\" cannot be imported: " + wxString::FromUTF8(strProblem) + ".",
                     kCaption, wxOK | wxICON_EXCLAMATION, pParent);
        return false;
    }
    CImportPreviewDlg dialog(pParent, strName, std::move(strBytes));
    if (dialog.ShowModal() != wxID_OK)
        return false;
    result = dialog.TakeResult();
    return true;
}

void ShowImportProblems(wxWindow* pParent, const ImportResult& result)
{
    if (result.m_problems.empty() || IsClosing())
        return;
    wxString strText = wxString::Format("%zu cells could not be taken as they were and are left empty:\n\n",
                                        result.m_problems.size());
    for (std::size_t i = 0; i < result.m_problems.size() && i < kProblemsNamed; ++i)
    {
        const ImportProblem& problem = result.m_problems[i];
        strText += wxString::Format("Line %zu, %s: \"%s\": %s\n", problem.m_nLine,
                                    ColumnHeading(problem.m_column), wxString::FromUTF8(problem.m_strText),
                                    wxString::FromUTF8(problem.m_strMessage));
    }
    if (result.m_problems.size() > kProblemsNamed)
        strText += wxString::Format("and %zu more.\n", result.m_problems.size() - kProblemsNamed);
    wxMessageBox(strText, kCaption, wxOK | wxICON_INFORMATION, pParent);
}
