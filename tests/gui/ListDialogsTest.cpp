// The editor's import preview and repairs dialog, in-process, driven through their controls' events.
#include "app/ImportPreviewDlg.h"
#include "app/ListRepairsDlg.h"
#include "editor/CellRules.h"
#include "editor/TableChecks.h"
#include "editor/VerFile.h"
#include "support/TempDir.h"
#include "verbdata/GroupSet.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <stdexcept>

namespace
{

// Runs fnDrive on the modal dialog once it is up; fnDrive ends it, and a control not found
// cancels it. Given up, with a failure, after many tries.
void WhenModal(std::function<void(wxDialog&)> fnDrive, int nTries = 1000)
{
    wxTheApp->CallAfter([fnDrive, nTries] {
        for (wxWindow* pWindow : wxTopLevelWindows)
            if (auto* pDialog = dynamic_cast<wxDialog*>(pWindow); pDialog && pDialog->IsModal())
            {
                try
                {
                    fnDrive(*pDialog);
                }
                catch (const std::exception& error)
                {
                    ADD_FAILURE() << error.what();
                    pDialog->EndModal(wxID_CANCEL);
                }
                return;
            }
        if (nTries > 0)
            return WhenModal(fnDrive, nTries - 1);
        ADD_FAILURE() << "no dialog came";
    });
}

template <typename T>
T& Control(wxDialog& dialog, const char* pszName)
{
    T* pControl = dynamic_cast<T*>(dialog.FindWindow(pszName));
    if (!pControl)
        throw std::runtime_error(std::string("no control named ") + pszName);
    return *pControl;
}

wxButton& Button(wxDialog& dialog, int nId)
{
    auto* pButton = dynamic_cast<wxButton*>(dialog.FindWindow(nId));
    if (!pButton)
        throw std::runtime_error("no button " + std::to_string(nId));
    return *pButton;
}

void Choose(wxChoice& choice, const wxString& strItem)
{
    const int nItem = choice.FindString(strItem);
    ASSERT_NE(nItem, wxNOT_FOUND) << strItem;
    choice.SetSelection(nItem);
    wxCommandEvent event(wxEVT_CHOICE, choice.GetId());
    event.SetEventObject(&choice);
    event.SetInt(nItem);
    choice.ProcessWindowEvent(event);
}

void Click(wxButton& button)
{
    ASSERT_TRUE(button.IsEnabled()) << button.GetLabel();
    wxCommandEvent event(wxEVT_BUTTON, button.GetId());
    event.SetEventObject(&button);
    button.ProcessWindowEvent(event);
}

std::string Group(const char* pszTag)
{
    return GroupName(static_cast<std::size_t>(FindGroup(pszTag)));
}

} // namespace

// No heading row and the forms not in the textbook's order: the guess takes them so, and
// the teacher says which column is which (choosing a form for one column takes it from the
// other) and which group the verbs go to. Import waits until every form has a column.
TEST(ImportPreview, TheTeacherMapsColumnsTheFileDoesNotName)
{
    const TempDir dir;
    const std::string strPath = dir.Write("a.csv", "go,gone,went\ntake,taken,took\nlearn,\"learnt, learned\",learnt\n").string();
    WhenModal([](wxDialog& dialog) {
        auto& second = Control<wxChoice>(dialog, "column 2");
        auto& third = Control<wxChoice>(dialog, "column 3");
        EXPECT_EQ(Control<wxChoice>(dialog, "column 1").GetStringSelection(), "Infinitive");
        EXPECT_EQ(second.GetStringSelection(), "Past Tense");
        Choose(third, "Past Tense");
        EXPECT_EQ(second.GetStringSelection(), "Not imported");
        EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled());
        EXPECT_TRUE(Control<wxStaticText>(dialog, "status").GetLabel().Contains("Past Participle"));
        Choose(second, "Past Participle");
        Choose(Control<wxChoice>(dialog, "group"), wxString::FromUTF8(Group("bas2")));
        EXPECT_TRUE(Control<wxStaticText>(dialog, "status").GetLabel().Contains("3 verbs"));
        Click(Button(dialog, wxID_OK));
    });
    ImportResult result;
    ASSERT_TRUE(RunImportPreview(nullptr, strPath, result));
    ASSERT_EQ(result.m_rows.size(), 3u);
    EXPECT_EQ(result.m_rows[0].m_forms[Infinitive], "go");
    EXPECT_EQ(result.m_rows[0].m_forms[PastTense], "went");
    EXPECT_EQ(result.m_rows[0].m_forms[PastParticiple], "gone");
    EXPECT_EQ(result.m_rows[2].m_forms[PastParticiple], "/learnt /learned");
    for (const VerbRow& row : result.m_rows)
        EXPECT_EQ(row.m_strTag, "bas2");
    EXPECT_TRUE(result.m_problems.empty());
}

// A heading row (semicolons, Windows-1252, CR LF) names the columns in its own order, a
// group column among them: the preview shows that mapping, and a row whose group cell is
// empty takes the group the teacher chose.
TEST(ImportPreview, AHeadingRowNamesTheColumnsAndAnEmptyGroupTakesTheChosenOne)
{
    const TempDir dir;
    const std::string strPath = dir.Write("a.csv", "Group;Past Tense;Infinitive;Past Participle\r\n"
                                                   "bas1;went;go;gone\r\n;fianc\xE9;fianc\xE9;fianc\xE9\r\n").string();
    WhenModal([](wxDialog& dialog) {
        EXPECT_TRUE(Control<wxCheckBox>(dialog, "heading").GetValue());
        const char* const expected[] = {"Group", "Past Tense", "Infinitive", "Past Participle"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Control<wxChoice>(dialog, ("column " + std::to_string(i + 1)).c_str()).GetStringSelection(),
                      expected[i]);
        Choose(Control<wxChoice>(dialog, "group"), wxString::FromUTF8(Group("lit")));
        Click(Button(dialog, wxID_OK));
    });
    ImportResult result;
    ASSERT_TRUE(RunImportPreview(nullptr, strPath, result));
    ASSERT_EQ(result.m_rows.size(), 2u);
    EXPECT_EQ(result.m_rows[0].m_strTag, "bas1");
    EXPECT_EQ(result.m_rows[0].m_forms[PastTense], "went");
    EXPECT_EQ(result.m_rows[1].m_strTag, "lit");
    EXPECT_EQ(result.m_rows[1].m_forms[Infinitive], "fianc\xE9"); // stored as Latin-1
}

// A blank line inside the records shifts every record after it. The repairs dialog offers
// the checker's repair: skipped, the table stays as read; made, the lesson asks every verb.
TEST(ListRepairs, OffersTheCheckersRepairsOneByOne)
{
    const std::string strList = "#\nClass 7\n#\n#\n"
                                "ess1\nwent\ngo\ngone\n"
                                "\n"
                                "bas1\ntook\ntake\ntaken\n"
                                "bas1\ndrank\ndrink\ndrunk\n";
    VerbTable table = ReadVerText(strList);
    TableChecks checks;
    checks.CheckAll(table);
    ASSERT_GT(checks.ErrorCount() + checks.WarningCount(), 0u) << "the blank line went unnoticed";

    std::string strOffer;
    WhenModal([&strOffer](wxDialog& dialog) {
        strOffer = Control<wxStaticText>(dialog, "offer").GetLabel().utf8_string();
        Click(Control<wxButton>(dialog, "skip"));
        EXPECT_FALSE(Control<wxButton>(dialog, "repair").IsEnabled());
        dialog.EndModal(wxID_CLOSE);
    });
    EXPECT_EQ(RunListRepairs(nullptr, "class7.ver", table, checks), 0u);
    EXPECT_NE(strOffer.find("Delete line 9"), std::string::npos) << strOffer;
    EXPECT_EQ(WriteVerText(table), strList);

    WhenModal([](wxDialog& dialog) {
        Click(Control<wxButton>(dialog, "repair"));
        EXPECT_FALSE(Control<wxButton>(dialog, "repair").IsEnabled());
        EXPECT_NE(Control<wxStaticText>(dialog, "offer").GetLabel().Find("No more repairs"), wxNOT_FOUND);
        dialog.EndModal(wxID_CLOSE);
    });
    EXPECT_EQ(RunListRepairs(nullptr, "class7.ver", table, checks), 1u);
    EXPECT_EQ(checks.ErrorCount() + checks.WarningCount(), 0u);
    ASSERT_EQ(table.RowCount(), 3u);
    const char* const verbs[] = {"go", "take", "drink"};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(table.Row(i).m_forms[Infinitive], verbs[i]);
    const ListSummary& summary = checks.Summary();
    EXPECT_EQ(std::accumulate(summary.m_nQuestions.begin(), summary.m_nQuestions.end(), std::size_t{0}),
              3u * kDirectionCount) << "every verb in every direction";
}
