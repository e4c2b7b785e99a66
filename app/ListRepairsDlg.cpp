#include "app/ListRepairsDlg.h"

#include "framework/wx/WorkArea.h"
#include "editor/CellRules.h"
#include "editor/TableChecks.h"
#include "editor/VerbTable.h"
#include "framework/Translation.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <set>
#include <tuple>

namespace
{

constexpr int kShownRows = 10;
constexpr int kTextColumns = 80;

std::string KindName(FindingKind nKind)
{
    switch (nKind)
    {
    case FindingKind::Error:
        return TrC("finding", "error");
    case FindingKind::Warning:
        return TrC("finding", "warning");
    case FindingKind::Note:
        break;
    }
    return TrC("finding", "note");
}

wxString FindingLine(const Finding& finding)
{
    // TRANSLATORS: where a finding is; {1} is a line's number.
    const std::string strWhere = finding.m_nLine == 0 ? Tr("The list") : FillIn(Tr("Line {1}"), {std::to_string(finding.m_nLine)});
    // TRANSLATORS: a finding: {1} where ("Line 4"), {2} its kind ("error"), {3} the rule's id (stays as it is), {4} what is wrong.
    return WxText(FillIn(Tr("{1}, {2} ({3}): {4}"), {strWhere, KindName(finding.m_nKind), finding.m_strRule, finding.WindowText()}));
}

// The rows as a lesson reads them, each with the line of its tag and the rules its
// findings name.
class CAskedRows : public wxListCtrl
{
public:
    CAskedRows(wxWindow* pParent, const VerbTable& table, const TableChecks& checks)
        : wxListCtrl(pParent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES),
          m_table(table), m_checks(checks)
    {
        const int nChar = GetCharWidth();
        // TRANSLATORS: a column's heading: the line of the file.
        AppendColumn(WxText(TrC("column", "Line")), wxLIST_FORMAT_RIGHT, 6 * nChar);
        AppendColumn(WxText(Tr("Group")), wxLIST_FORMAT_LEFT, 12 * nChar);
        for (int i = 0; i < kVerbFormCount; ++i)
            AppendColumn(WxText(Tr(VerbFormName(i))), wxLIST_FORMAT_LEFT, 16 * nChar);
        AppendColumn(WxText(Tr("Findings")), wxLIST_FORMAT_LEFT, 18 * nChar);
        SetInitialSize(wxSize(kTextColumns * nChar, (kShownRows + 2) * GetCharHeight() * 3 / 2));
        Refill();
    }

    void Refill()
    {
        SetItemCount(static_cast<long>(m_table.RowCount()));
        Refresh();
    }

private:
    wxString OnGetItemText(long nItem, long nColumn) const override
    {
        const std::size_t nRow = static_cast<std::size_t>(nItem);
        if (nItem < 0 || nRow >= m_table.RowCount())
            return wxString();
        const VerbRow& row = m_table.Row(nRow);
        switch (nColumn)
        {
        case 0:
            return wxString::Format("%zu", m_checks.LineOfRow(nRow));
        case 1:
            return wxString::FromUTF8(ShowCell(VerbColumn::Group, row.m_strTag));
        case 2:
            return wxString::FromUTF8(ShowCell(VerbColumn::Infinitive, row.m_forms[Infinitive]));
        case 3:
            return wxString::FromUTF8(ShowCell(VerbColumn::PastTense, row.m_forms[PastTense]));
        case 4:
            return wxString::FromUTF8(ShowCell(VerbColumn::PastParticiple, row.m_forms[PastParticiple]));
        default:
            break;
        }
        wxString strRules;
        for (const Finding& finding : m_checks.RowFindings(nRow))
            if (finding.m_nKind != FindingKind::Note && !strRules.Contains(finding.m_strRule))
                strRules += (strRules.empty() ? "" : ", ") + finding.m_strRule;
        return strRules;
    }

    const VerbTable& m_table;
    const TableChecks& m_checks;
};

class CListRepairsDlg : public wxDialog
{
public:
    CListRepairsDlg(wxWindow* pParent, const wxString& strName, VerbTable& table, TableChecks& checks)
        : wxDialog(pParent, wxID_ANY, WxText(FillIn(Tr("Repairs - {1}"), {Utf8Of(strName)})), wxDefaultPosition, wxDefaultSize,
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
          m_strName(strName), m_table(table), m_checks(checks)
    {
        auto* pSizer = new wxBoxSizer(wxVERTICAL);
        m_pSummary = new wxStaticText(this, wxID_ANY, wxString());
        pSizer->Add(m_pSummary, wxSizerFlags().Border());
        pSizer->Add(new wxStaticText(this, wxID_ANY, WxText(Tr("&What a lesson asks:"))), wxSizerFlags().Border(wxLEFT | wxRIGHT));
        m_pAsked = new CAskedRows(this, table, checks);
        pSizer->Add(m_pAsked, wxSizerFlags(2).Expand().Border());
        pSizer->Add(new wxStaticText(this, wxID_ANY, WxText(Tr("What the &checker finds:"))), wxSizerFlags().Border(wxLEFT | wxRIGHT));
        m_pFindings = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxTE_MULTILINE | wxTE_READONLY);
        m_pFindings->SetInitialSize(wxSize(kTextColumns * GetCharWidth(), 6 * GetCharHeight()));
        pSizer->Add(m_pFindings, wxSizerFlags(1).Expand().Border());

        m_pRepair = new wxStaticText(this, wxID_ANY, wxString());
        m_pRepair->SetName("offer");
        pSizer->Add(m_pRepair, wxSizerFlags().Expand().Border());
        auto* pButtons = new wxBoxSizer(wxHORIZONTAL);
        pButtons->AddStretchSpacer();
        m_pApply = new wxButton(this, wxID_ANY, WxText(Tr("&Repair")));
        m_pSkip = new wxButton(this, wxID_ANY, WxText(Tr("&Skip")));
        auto* pClose = new wxButton(this, wxID_CLOSE, WxText(Tr("Close")));
        m_pApply->SetName("repair"), m_pSkip->SetName("skip"); // for tests to find
        for (wxButton* pButton : {m_pApply, m_pSkip, pClose})
            pButtons->Add(pButton, wxSizerFlags().Border(wxLEFT));
        pSizer->Add(pButtons, wxSizerFlags().Expand().Border());
        SetSizer(pSizer);
        SetEscapeId(wxID_CLOSE);

        m_pApply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ApplyCurrent(); });
        m_pSkip->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SkipCurrent(); });
        pClose->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); });

        Offer();
        Fit();
        CentreOnParent();
        FitInsideWorkArea(*this);
    }

    std::size_t GetRepairsMade() const { return m_nMade; }

private:
    // A skipped repair is known again, after others changed the table, by its finding
    // and label: repairs are offered in line order, so the lines above stay as they were.
    using RepairKey = std::tuple<std::string, std::string, std::string>;
    static RepairKey KeyOf(const Repair& repair)
    {
        return {repair.m_finding.m_strRule, repair.m_finding.m_strText, repair.m_strLabel};
    }

    // Shows the table and findings as they are now and the first repair not skipped.
    void Offer()
    {
        // TRANSLATORS: {1} is the list's file name, {2} the checker's summary ("2 errors, 1 warning" and the like).
        m_pSummary->SetLabel(WxText(FillIn(Tr("A lesson reads \"{1}\" differently from how it looks. {2}."),
                                           {Utf8Of(m_strName), m_checks.SummaryText()})));
        m_pSummary->Wrap(kTextColumns * GetCharWidth());
        m_pAsked->Refill();

        wxString strFindings;
        for (const Finding& finding : m_checks.ListFindings())
            strFindings += FindingLine(finding) + "\n";
        for (std::size_t nRow = 0; nRow < m_table.RowCount(); ++nRow)
            for (const Finding& finding : m_checks.RowFindings(nRow))
                if (finding.m_nKind != FindingKind::Note)
                    strFindings += FindingLine(finding) + "\n";
        m_pFindings->ChangeValue(strFindings.empty() ? WxText(Tr("Nothing: a lesson asks the list as it looks."))
                                                     : strFindings);

        m_repairs.clear();
        for (Repair& repair : ProposedRepairs(m_table, m_checks))
            if (!m_skipped.count(KeyOf(repair)))
                m_repairs.push_back(std::move(repair));
        wxString strRepair;
        if (!m_repairs.empty())
            // TRANSLATORS: {1} and {2} count the repairs, {3} says what the repair does.
            strRepair = WxText(FillIn(Tr("Repair {1} of {2} offered: {3}."),
                                      {std::to_string(m_nOffered + 1), std::to_string(m_nOffered + m_repairs.size()),
                                       m_repairs.front().m_strLabel})) + "\n" +
                        FindingLine(m_repairs.front().m_finding);
        else if (!strFindings.empty())
            strRepair = WxText(Tr("No more repairs to offer. The rows still marked need your word: close this and "
                                  "change them in the table."));
        else
            strRepair = WxText(Tr("No more repairs to offer: the list is as a lesson reads it."));
        m_pRepair->SetLabel(strRepair);
        m_pRepair->Wrap(kTextColumns * GetCharWidth());
        m_pApply->Enable(!m_repairs.empty());
        m_pSkip->Enable(!m_repairs.empty());
        (m_repairs.empty() ? FindWindow(wxID_CLOSE) : m_pApply)->SetFocus();
        SetDefaultItem(m_repairs.empty() ? FindWindow(wxID_CLOSE) : m_pApply);
        Layout();
    }

    void ApplyCurrent()
    {
        if (m_repairs.empty())
            return;
        const Repair repair = m_repairs.front();
        ++m_nOffered;
        if (ApplyRepair(m_table, repair))
        {
            ++m_nMade;
            m_checks.CheckAll(m_table);
        }
        else
            m_skipped.insert(KeyOf(repair)); // no longer fits: never offered again
        Offer();
    }

    void SkipCurrent()
    {
        if (m_repairs.empty())
            return;
        m_skipped.insert(KeyOf(m_repairs.front()));
        ++m_nOffered;
        Offer();
    }

    wxString m_strName;
    VerbTable& m_table;
    TableChecks& m_checks;
    std::vector<Repair> m_repairs;
    std::set<RepairKey> m_skipped;
    std::size_t m_nOffered = 0;
    std::size_t m_nMade = 0;
    wxStaticText* m_pSummary = nullptr;
    CAskedRows* m_pAsked = nullptr;
    wxTextCtrl* m_pFindings = nullptr;
    wxStaticText* m_pRepair = nullptr;
    wxButton* m_pApply = nullptr;
    wxButton* m_pSkip = nullptr;
};

} // namespace

std::size_t RunListRepairs(wxWindow* pParent, const std::string& strName, VerbTable& table,
                           TableChecks& checks)
{
    if (IsClosing() || checks.ErrorCount() + checks.WarningCount() == 0)
        return 0;
    CListRepairsDlg dialog(pParent, wxString::FromUTF8(strName), table, checks);
    dialog.ShowModal();
    return dialog.GetRepairsMade();
}
