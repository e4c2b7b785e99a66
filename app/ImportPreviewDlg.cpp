#include "app/ImportPreviewDlg.h"

#include "framework/wx/WorkArea.h"
#include "editor/CellRules.h"
#include "editor/ListFiles.h"
#include "framework/Translation.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"
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

// TRANSLATORS: the caption of the import's message boxes.
const char kCaption[] = TR_NOOP("Import");
constexpr std::size_t kPreviewRows = 8;
// Columns past these are never offered: no verb table is that wide.
constexpr std::size_t kMostColumns = 12;
constexpr std::size_t kProblemsNamed = 8;

const char kSeparators[] = {',', ';', '\t'};
const char* const kSeparatorNames[] = {TR_NOOP("Comma"), TR_NOOP("Semicolon"), TR_NOOP("Tab")};
const TextEncoding kEncodings[] = {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE,
                                   TextEncoding::Windows1252};
const char* const kEncodingNames[] = {"UTF-8", TR_NOOP("UTF-16, little-endian (Unicode text)"),
                                      TR_NOOP("UTF-16, big-endian"), TR_NOOP("Windows-1252 (Western)")};
// The choice of each source column: not imported, then the verb table's columns.
const char* const kTargetNames[] = {TR_NOOP("Not imported"), TR_NOOP("Group"), TR_NOOP("Infinitive"),
                                    TR_NOOP("Past Tense"), TR_NOOP("Past Participle")};

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
        : wxDialog(pParent, wxID_ANY, WxText(FillIn(Tr("{1} - {2}"), {Tr(kCaption), Utf8Of(strName)})), wxDefaultPosition,
                   wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
          m_strBytes(std::move(strBytes))
    {
        m_text = ReadCsv(m_strBytes);
        m_mapping = GuessMapping(m_text);

        auto* pSizer = new wxBoxSizer(wxVERTICAL);
        // TRANSLATORS: {1} is the file's name.
        pSizer->Add(new wxStaticText(this, wxID_ANY,
                                     WxText(FillIn(Tr("The first rows of \"{1}\". Say which column holds which form of the verbs."),
                                                   {Utf8Of(strName)}))),
                    wxSizerFlags().Border());

        auto* pReading = new wxFlexGridSizer(2, wxSize(FromDIP(6), FromDIP(4)));
        m_pSeparator = AddChoice(pReading, Tr("&Separator:"), kSeparatorNames);
        m_pEncoding = AddChoice(pReading, Tr("&Encoding:"), kEncodingNames);
        pSizer->Add(pReading, wxSizerFlags().Border(wxLEFT | wxRIGHT));
        m_pHeading = new wxCheckBox(this, wxID_ANY, WxText(Tr("The first row &names the columns")));
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
        pGroup->Add(new wxStaticText(this, wxID_ANY, WxText(Tr("&Group of the verbs that name none:"))),
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
        m_pImport = new wxButton(this, wxID_OK, WxText(Tr("&Import")));
        pButtons->AddButton(m_pImport);
        pButtons->AddButton(new wxButton(this, wxID_CANCEL, WxText(Tr("Cancel"))));
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
    wxChoice* AddChoice(wxFlexGridSizer* pSizer, const std::string& strLabel, const char* const (&names)[N])
    {
        pSizer->Add(new wxStaticText(this, wxID_ANY, WxText(strLabel)), wxSizerFlags().CentreVertical());
        auto* pChoice = new wxChoice(this, wxID_ANY);
        for (const char* pszName : names)
            pChoice->Append(WxText(Tr(pszName)));
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
        const std::string strNumber = std::to_string(nColumn + 1);
        if (m_text.m_dialect.m_bHeading && !m_text.m_rows.empty() &&
            nColumn < m_text.m_rows.front().m_cells.size() && !m_text.m_rows.front().m_cells[nColumn].empty())
            // TRANSLATORS: {1} is the column's number, {2} its heading in the file.
            return WxText(FillIn(Tr("Column {1} ({2})"), {strNumber, m_text.m_rows.front().m_cells[nColumn]}));
        // TRANSLATORS: {1} is the column's number.
        return WxText(FillIn(Tr("Column {1}"), {strNumber}));
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
                pChoice->Append(WxText(Tr(pszName)));
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
                    missing.push_back(Tr(ColumnHeading(column).c_str()));
            // TRANSLATORS: {1}, {2} and {3} are names of the verb forms ("Past Tense" and the like).
            if (missing.size() == 1)
                strStatus = WxText(FillIn(Tr("Choose the column that holds the {1}."), {missing[0]}));
            else if (missing.size() == 2)
                strStatus = WxText(FillIn(Tr("Choose the columns that hold the {1} and {2}."), {missing[0], missing[1]}));
            else if (missing.size() == 3)
                strStatus = WxText(FillIn(Tr("Choose the columns that hold the {1}, {2} and {3}."), {missing[0], missing[1], missing[2]}));
        }
        m_pImport->Enable(strStatus.empty());
        if (strStatus.empty())
        {
            m_result = ImportRows(m_text, m_mapping, false);
            const std::size_t nRows = m_result.m_rows.size(), nProblems = m_result.m_problems.size();
            strStatus = WxText(FillIn(TrN("{1} verbs will be imported.", "{1} verbs will be imported.", nRows), {std::to_string(nRows)}));
            if (nProblems)
                strStatus += " " + WxText(FillIn(TrN("{1} cells cannot be taken and will be left empty.",
                                                     "{1} cells cannot be taken and will be left empty.", nProblems),
                                                 {std::to_string(nProblems)}));
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
        // TRANSLATORS: {1} is the file's name, {2} why it cannot be imported.
        wxMessageBox(WxText(FillIn(Tr("\"{1}\" cannot be imported: {2}."), {Utf8Of(strName), strProblem})),
                     WxText(Tr(kCaption)), wxOK | wxICON_EXCLAMATION, pParent);
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
    const std::size_t nProblems = result.m_problems.size();
    wxString strText = WxText(FillIn(TrN("{1} cells could not be taken as they were and are left empty:",
                                         "{1} cells could not be taken as they were and are left empty:", nProblems),
                                     {std::to_string(nProblems)})) + "\n\n";
    for (std::size_t i = 0; i < result.m_problems.size() && i < kProblemsNamed; ++i)
    {
        const ImportProblem& problem = result.m_problems[i];
        // TRANSLATORS: {1} is a line's number, {2} a column's name, {3} the cell's text, {4} why it was not taken.
        strText += WxText(FillIn(Tr("Line {1}, {2}: \"{3}\": {4}"), {std::to_string(problem.m_nLine), Tr(ColumnHeading(problem.m_column).c_str()),
                                                                   problem.m_strText, problem.m_strMessage})) + "\n";
    }
    if (result.m_problems.size() > kProblemsNamed)
        strText += WxText(FillIn(Tr("and {1} more."), {std::to_string(result.m_problems.size() - kProblemsNamed)})) + "\n";
    wxMessageBox(strText, WxText(Tr(kCaption)), wxOK | wxICON_INFORMATION, pParent);
}
