#include "res/DialogTemplates.h"

#include "framework/Translation.h"

namespace
{

constexpr int IDOK_BUTTON = 1;

// Two of the forms' texts end in a blank; kept as they always were. The texts are English
// here and translated where the dialog is built.
const DialogTemplate kTemplates[] = {
    // Below the classic lines: who holds the copyright, the licence, and its full text.
    {IDD_ABOUTBOX, TR_NOOP("About Taldrin"), 235, 118,
     {
         {ControlKind::Icon, IDC_ABOUT_ICON, "", 11, 17, 20, 20},
         // TRANSLATORS: the program's name stays as it is.
         {ControlKind::Label, IDC_STATIC, TR_NOOP("Taldrin Version 1.0"), 40, 10, 119, 8},
         {ControlKind::Label, IDC_STATIC, TR_NOOP("Copyright (C) 2002"), 40, 25, 119, 8},
         {ControlKind::DefaultButton, IDOK_BUTTON, TR_NOOP("OK"), 178, 7, 50, 14},
         {ControlKind::Label, IDC_STATIC, TR_NOOP("Copyright (C) 2026 The Taldrin developers"), 40, 42, 188, 8},
         {ControlKind::WrappingText, IDC_STATIC,
          TR_NOOP("Taldrin is free software: you can share and change it under the GNU General Public "
                  "License, version 3 or later. It comes with ABSOLUTELY NO WARRANTY."),
          40, 54, 188, 38},
         {ControlKind::Button, IDC_ABOUT_LICENCE, TR_NOOP("&Licence..."), 178, 97, 50, 14},
     }},
    {IDD_FORMS, TR_NOOP("Choice of forms"), 247, 95,
     {
         {ControlKind::DefaultButton, IDOK_BUTTON, TR_NOOP("OK"), 185, 75, 50, 14},
         {ControlKind::CheckBox, 1000, TR_NOOP("Infinitive to Past Tense"), 5, 5, 170, 10},
         {ControlKind::CheckBox, 1001, TR_NOOP("Infinitive to Past Participle "), 5, 20, 170, 10},
         {ControlKind::CheckBox, 1002, TR_NOOP("Past Tense to Infinitive"), 5, 35, 170, 10},
         {ControlKind::CheckBox, 1003, TR_NOOP("Past Tense to Past Participle "), 5, 50, 170, 10},
         {ControlKind::CheckBox, 1004, TR_NOOP("Past Participle to Infinitive"), 5, 65, 170, 10},
         {ControlKind::CheckBox, 1005, TR_NOOP("Past Participle to Past Tense"), 5, 80, 170, 10},
     }},
    {IDD_GROUPS, TR_NOOP("Choice of verb groups"), 227, 86,
     {
         {ControlKind::DefaultButton, IDOK_BUTTON, TR_NOOP("OK"), 175, 70, 50, 14},
         {ControlKind::CheckBox, IDC_GROUP_BAS1, TR_NOOP("Basic verbs (part 1)"), 5, 25, 165, 10},
         {ControlKind::CheckBox, IDC_GROUP_ESS1, TR_NOOP("Essential verbs (part 1)"), 5, 5, 165, 10},
         {ControlKind::CheckBox, IDC_GROUP_DOP, TR_NOOP("Verbs that exist in irregular and regular form"), 5, 45, 165, 10},
         {ControlKind::CheckBox, IDC_GROUP_ESS2, TR_NOOP("Essential verbs (part 2)"), 5, 15, 165, 10},
         {ControlKind::CheckBox, IDC_GROUP_BAS2, TR_NOOP("Basic verbs (part 2)"), 5, 35, 165, 10},
         {ControlKind::CheckBox, IDC_GROUP_LIT, TR_NOOP("Literature verbs"), 5, 55, 165, 10},
     }},
    // Taller than it once was, so that the closing "There are still ..." line of the
    // longest report is not cut off.
    {IDD_STATISTICS, TR_NOOP("Statistics"), 186, 130,
     {
         {ControlKind::DefaultButton, IDOK_BUTTON, TR_NOOP("OK"), 70, 110, 50, 14},
         {ControlKind::WrappingText, IDC_STATISTICS_TEXT, "Static", 10, 5, 170, 100},
     }},
    {IDD_OPTION, TR_NOOP("Option"), 247, 86,
     {
         {ControlKind::DefaultButton, IDOK_BUTTON, TR_NOOP("OK"), 190, 65, 50, 14},
         // TRANSLATORS: the fast mode of a lesson: the next question comes without waiting.
         {ControlKind::CheckBox, IDC_RABBIT, TR_NOOP("Rabbit"), 15, 10, 155, 10},
         {ControlKind::Label, IDC_STATIC, TR_NOOP("Time for a wrong answer:"), 15, 50, 105, 10},
         {ControlKind::Label, IDC_STATIC, TR_NOOP("Time for a correct answer:"), 15, 35, 105, 10},
         {ControlKind::Edit, IDC_RIGHT_TIME, "", 130, 35, 35, 10},
         {ControlKind::Edit, IDC_WRONG_TIME, "", 130, 50, 35, 10},
         {ControlKind::GroupBox, IDC_STATIC, TR_NOOP("Show correction of an answer"), 10, 25, 165, 55},
         {ControlKind::CheckBox, IDC_NO_CORRECTION, TR_NOOP("No correction"), 15, 65, 150, 10},
     }},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int nId)
{
    for (const DialogTemplate& dialog : kTemplates)
        if (dialog.Id == nId)
            return &dialog;
    return nullptr;
}
