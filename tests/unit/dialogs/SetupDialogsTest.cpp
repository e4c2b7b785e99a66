#include "dialogs/FormsDlg.h"
#include "dialogs/GroupsDlg.h"
#include "res/DialogTemplates.h"
#include "support/FakeDialogControls.h"

#include <gtest/gtest.h>

namespace
{

// Opens the dialog on fake controls, ticks the boxes and presses OK.
template <class Dialog>
FakeDialogControls RunWithTicks(Dialog& dialog, std::initializer_list<int> ids)
{
    FakeDialogControls controls;
    dialog.Bind(&controls);
    dialog.OnInitDialog();
    for (int nId : ids)
        controls.SetCheck(nId, 1);
    dialog.OnOK();
    dialog.Bind(nullptr);
    return controls;
}

} // namespace

TEST(CFormsDlg, BoxKGivesDirectionK)
{
    CFormsDlg last;
    RunWithTicks(last, {1005});
    const DirectionSet only5 = last.GetDirections();
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        EXPECT_EQ(only5.Get(k), k == 5) << k;

    CFormsDlg all;
    const FakeDialogControls controls = RunWithTicks(all, {1000, 1001, 1002, 1003, 1004, 1005});
    EXPECT_EQ(controls.result, RESULT_OK);
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        EXPECT_TRUE(all.GetDirections().Get(k)) << k;
}

TEST(CGroupsDlg, EachBoxSelectsTheGroupItNames)
{
    const std::pair<int, const char*> boxes[] = {
        {IDC_GROUP_ESS1, "ess1"}, {IDC_GROUP_ESS2, "ess2"}, {IDC_GROUP_BAS1, "bas1"},
        {IDC_GROUP_BAS2, "bas2"}, {IDC_GROUP_DOP, "dop"},   {IDC_GROUP_LIT, "lit"},
    };
    for (const auto& [nId, tag] : boxes)
    {
        CGroupsDlg dialog;
        RunWithTicks(dialog, {nId});
        const GroupSet groups = dialog.GetGroups();
        for (std::size_t g = 0; g < kGroupCount; ++g)
            EXPECT_EQ(groups.Get(g), kGroupTags[g] == std::string(tag)) << "box of " << tag;
    }
    // The template's texts name the same groups.
    const DialogTemplate* pTemplate = FindDialogTemplate(IDD_GROUPS);
    ASSERT_NE(pTemplate, nullptr);
    for (const ControlTemplate& control : pTemplate->Controls)
    {
        if (control.Id == IDC_GROUP_ESS1)
        {
            EXPECT_STREQ(control.Text, "Essential verbs (part 1)");
        }
        if (control.Id == IDC_GROUP_LIT)
        {
            EXPECT_STREQ(control.Text, "Literature verbs");
        }
    }
}

TEST(SetupDialogs, OkWithoutABoxShowsTheMessageAndStaysOpen)
{
    CFormsDlg forms;
    FakeDialogControls controls = RunWithTicks(forms, {});
    EXPECT_FALSE(controls.result.has_value());
    EXPECT_EQ(controls.messages, std::vector<std::string>{"Taldrin: You have to chose at least one form"});

    CGroupsDlg groups;
    controls = RunWithTicks(groups, {});
    EXPECT_FALSE(controls.result.has_value());
    EXPECT_EQ(controls.messages,
              std::vector<std::string>{"Taldrin: You have to choose at least one verb group!"});

    // A box ticked after the message: OK closes.
    controls.messages.clear();
    groups.Bind(&controls);
    controls.SetCheck(IDC_GROUP_LIT, 1);
    groups.OnOK();
    EXPECT_EQ(controls.result, RESULT_OK);
    EXPECT_TRUE(groups.GetGroups().Get(0));
}

TEST(SetupDialogs, CancelGivesNoFlagsWhateverWasTicked)
{
    CFormsDlg forms;
    FakeDialogControls controls;
    forms.Bind(&controls);
    forms.OnInitDialog();
    EXPECT_EQ(controls.GetCheck(1000), 0) << "every lesson starts with all boxes clear";
    controls.SetCheck(1002, 1);
    forms.OnCancel();
    EXPECT_EQ(controls.result, RESULT_CANCEL);
    EXPECT_TRUE(controls.messages.empty());
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        EXPECT_FALSE(forms.GetDirections().Get(k));
}
