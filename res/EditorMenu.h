// The verb list editor's menu as a plain table: its command ids, labels with their
// shortcut keys, and prompts. app/VerbListEditor.cpp builds the menu from it; windows and
// dialogs that the editor's commands open look their ids up here.
#pragma once

#include "res/MainMenu.h"

// Apart from the main window's ids, below the toolkit's limit for portable menu ids.
enum EditorCommandId : int
{
    ID_EDITOR_NEW = 32600,
    ID_EDITOR_OPEN,
    ID_EDITOR_IMPORT,
    ID_EDITOR_SAVE,
    ID_EDITOR_SAVE_AS,
    ID_EDITOR_EXPORT_CSV,
    ID_EDITOR_PRINT_SHEET,
    ID_EDITOR_CLOSE,
    ID_EDITOR_UNDO = 32620,
    ID_EDITOR_REDO,
    ID_EDITOR_CUT,
    ID_EDITOR_COPY,
    ID_EDITOR_PASTE,
    ID_EDITOR_ADD_ROW,
    ID_EDITOR_DELETE_ROWS,
    ID_EDITOR_MOVE_UP,
    ID_EDITOR_MOVE_DOWN,
    ID_EDITOR_SORT,
    ID_EDITOR_FIND,
    ID_EDITOR_FIND_NEXT,
    ID_EDITOR_DRILL = 32640,
    ID_EDITOR_HELP = 32650,
};

// Labels name their shortcut after a tab, in the toolkit's own words.
inline constexpr MenuItemDef kEditorFileMenu[] = {
    {ID_EDITOR_NEW, "&New\tCtrl+N"},
    {ID_EDITOR_OPEN, "&Open...\tCtrl+O"},
    {ID_EDITOR_IMPORT, "&Import...\tCtrl+I"},
    {0, nullptr},
    {ID_EDITOR_SAVE, "&Save\tCtrl+S"},
    {ID_EDITOR_SAVE_AS, "Save &As...\tCtrl+Shift+S"},
    {ID_EDITOR_EXPORT_CSV, "&Export CSV..."},
    {0, nullptr},
    {ID_EDITOR_PRINT_SHEET, "&Print Test Sheet...\tCtrl+P"},
    {0, nullptr},
    {ID_EDITOR_CLOSE, "&Close\tCtrl+W"},
};
inline constexpr MenuItemDef kEditorEditMenu[] = {
    {ID_EDITOR_UNDO, "&Undo\tCtrl+Z"},
    {ID_EDITOR_REDO, "&Redo\tCtrl+Y"},
    {0, nullptr},
    {ID_EDITOR_CUT, "Cu&t\tCtrl+X"},
    {ID_EDITOR_COPY, "&Copy\tCtrl+C"},
    {ID_EDITOR_PASTE, "&Paste\tCtrl+V"},
    {0, nullptr},
    {ID_EDITOR_ADD_ROW, "&Add Row\tCtrl+Return"},
    {ID_EDITOR_DELETE_ROWS, "&Delete Rows\tCtrl+Delete"},
    {ID_EDITOR_MOVE_UP, "Move &Up\tAlt+Up"},
    {ID_EDITOR_MOVE_DOWN, "Move Do&wn\tAlt+Down"},
    {ID_EDITOR_SORT, "S&ort by This Column"},
    {0, nullptr},
    {ID_EDITOR_FIND, "&Find...\tCtrl+F"},
    {ID_EDITOR_FIND_NEXT, "Find &Next\tF3"},
};
inline constexpr MenuItemDef kEditorLessonMenu[] = {
    {ID_EDITOR_DRILL, "&Drill This List\tF5"},
};
inline constexpr MenuItemDef kEditorHelpMenu[] = {
    {ID_EDITOR_HELP, "&Help\tF1"},
};
inline constexpr MenuDef kEditorMenu[] = {
    {"&File", kEditorFileMenu, std::size(kEditorFileMenu)},
    {"&Edit", kEditorEditMenu, std::size(kEditorEditMenu)},
    {"&Lesson", kEditorLessonMenu, std::size(kEditorLessonMenu)},
    {"&Help", kEditorHelpMenu, std::size(kEditorHelpMenu)},
};

inline constexpr CommandPromptDef kEditorPrompts[] = {
    {ID_EDITOR_NEW, "Start a new, empty verb list"},
    {ID_EDITOR_OPEN, "Open a verb list, or a table saved by a spreadsheet"},
    {ID_EDITOR_IMPORT, "Take the verbs of a CSV or TSV file into a new list"},
    {ID_EDITOR_SAVE, "Save the list"},
    {ID_EDITOR_SAVE_AS, "Save the list under another name"},
    {ID_EDITOR_EXPORT_CSV, "Save the table as CSV for a spreadsheet"},
    {ID_EDITOR_PRINT_SHEET, "Print a test sheet of the list's verbs with an answer key"},
    {ID_EDITOR_CLOSE, "Close this window"},
    {ID_EDITOR_UNDO, "Undo the last change"},
    {ID_EDITOR_REDO, "Redo the change undone last"},
    {ID_EDITOR_CUT, "Copy the chosen rows and delete them"},
    {ID_EDITOR_COPY, "Copy the chosen rows, tab-separated, for a spreadsheet"},
    {ID_EDITOR_PASTE, "Insert rows copied from a spreadsheet or a web table"},
    {ID_EDITOR_ADD_ROW, "Insert an empty row above the current one"},
    {ID_EDITOR_DELETE_ROWS, "Delete the chosen rows"},
    {ID_EDITOR_MOVE_UP, "Move the chosen rows up by one"},
    {ID_EDITOR_MOVE_DOWN, "Move the chosen rows down by one"},
    {ID_EDITOR_SORT, "Sort the rows by the column of the current cell"},
    {ID_EDITOR_FIND, "Find a verb in the list"},
    {ID_EDITOR_FIND_NEXT, "Find the next row holding the text looked for"},
    {ID_EDITOR_DRILL, "Save the list, make it the list in use and start a lesson on it"},
    {ID_EDITOR_HELP, "How to make and mend a verb list"},
};
