// The dialog templates: titles, sizes and controls in dialog units, in tab order.
#pragma once

#include <vector>

enum DialogId : int
{
    IDD_ABOUTBOX = 100,
    IDD_FORMS = 130,
    IDD_GROUPS = 131,
    IDD_STATISTICS = 142,
    IDD_OPTION = 149,
};

enum ControlId : int
{
    IDC_STATIC = -1,
    IDC_FORM_FIRST = 1000, // the six direction boxes are 1000 .. 1005
    IDC_GROUP_BAS1 = 1001,
    IDC_GROUP_ESS1 = 1002,
    IDC_GROUP_DOP = 1003,
    IDC_GROUP_ESS2 = 1004,
    IDC_GROUP_BAS2 = 1005,
    IDC_GROUP_LIT = 1006,
    IDC_STATISTICS_TEXT = 1017,
    IDC_RABBIT = 1022,
    IDC_RIGHT_TIME = 1024,
    IDC_WRONG_TIME = 1025,
    IDC_NO_CORRECTION = 1026,
    IDC_ABOUT_ICON = 1100,
    IDC_ABOUT_LICENCE = 1101,
};

enum class ControlKind
{
    DefaultButton,
    Button,       // a push button; the dialog's OnCommand
    CheckBox,
    Label,        // static text, left-aligned
    WrappingText, // static text, left-aligned, wrapped at word boundaries
    Edit,         // border, scrolling sideways
    GroupBox,
    Icon,         // the program's icon
};

struct ControlTemplate
{
    ControlKind Kind;
    int Id;
    const char* Text;
    int X, Y, Width, Height;
};

struct DialogTemplate
{
    int Id;
    const char* Title;
    int Width, Height;
    std::vector<ControlTemplate> Controls;
};

// nullptr for an unknown id.
const DialogTemplate* FindDialogTemplate(int nId);
