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

// Labels name their shortcut after a tab, in the toolkit's own words. The texts are English
// here and translated where they are shown.
inline constexpr MenuItemDef kEditorFileMenu[] = {
    // TRANSLATORS: the verb list editor's menu; the shortcut after the tab stays in English.
    {ID_EDITOR_NEW, TR_NOOP("&New\tCtrl+N")},
    {ID_EDITOR_OPEN, TR_NOOP("&Open...\tCtrl+O")},
    {ID_EDITOR_IMPORT, TR_NOOP("&Import...\tCtrl+I")},
    {0, nullptr},
    {ID_EDITOR_SAVE, TR_NOOP("&Save\tCtrl+S")},
    {ID_EDITOR_SAVE_AS, TR_NOOP("Save &As...\tCtrl+Shift+S")},
    {ID_EDITOR_EXPORT_CSV, TR_NOOP("&Export CSV...")},
    {0, nullptr},
    {ID_EDITOR_PRINT_SHEET, TR_NOOP("&Print Test Sheet...\tCtrl+P")},
    {0, nullptr},
    {ID_EDITOR_CLOSE, TR_NOOP("&Close\tCtrl+W")},
};
inline constexpr MenuItemDef kEditorEditMenu[] = {
    {ID_EDITOR_UNDO, TR_NOOP("&Undo\tCtrl+Z")},
    {ID_EDITOR_REDO, TR_NOOP("&Redo\tCtrl+Y")},
    {0, nullptr},
    {ID_EDITOR_CUT, TR_NOOP("Cu&t\tCtrl+X")},
    {ID_EDITOR_COPY, TR_NOOP("&Copy\tCtrl+C")},
    {ID_EDITOR_PASTE, TR_NOOP("&Paste\tCtrl+V")},
    {0, nullptr},
    {ID_EDITOR_ADD_ROW, TR_NOOP("&Add Row\tCtrl+Return")},
    {ID_EDITOR_DELETE_ROWS, TR_NOOP("&Delete Rows\tCtrl+Delete")},
    {ID_EDITOR_MOVE_UP, TR_NOOP("Move &Up\tAlt+Up")},
    {ID_EDITOR_MOVE_DOWN, TR_NOOP("Move Do&wn\tAlt+Down")},
    {ID_EDITOR_SORT, TR_NOOP("S&ort by This Column")},
    {0, nullptr},
    {ID_EDITOR_FIND, TR_NOOP("&Find...\tCtrl+F")},
    {ID_EDITOR_FIND_NEXT, TR_NOOP("Find &Next\tF3")},
};
inline constexpr MenuItemDef kEditorLessonMenu[] = {
    {ID_EDITOR_DRILL, TR_NOOP("&Drill This List\tF5")},
};
inline constexpr MenuItemDef kEditorHelpMenu[] = {
    {ID_EDITOR_HELP, TR_NOOP("&Help\tF1")},
};
inline constexpr MenuDef kEditorMenu[] = {
    {TR_NOOP("&File"), kEditorFileMenu, std::size(kEditorFileMenu)},
    {TR_NOOP("&Edit"), kEditorEditMenu, std::size(kEditorEditMenu)},
    {TR_NOOP("&Lesson"), kEditorLessonMenu, std::size(kEditorLessonMenu)},
    {TR_NOOP("&Help"), kEditorHelpMenu, std::size(kEditorHelpMenu)},
};

inline constexpr CommandPromptDef kEditorPrompts[] = {
    {ID_EDITOR_NEW, TR_NOOP("Start a new, empty verb list")},
    {ID_EDITOR_OPEN, TR_NOOP("Open a verb list, or a table saved by a spreadsheet")},
    {ID_EDITOR_IMPORT, TR_NOOP("Take the verbs of a CSV or TSV file into a new list")},
    {ID_EDITOR_SAVE, TR_NOOP("Save the list")},
    {ID_EDITOR_SAVE_AS, TR_NOOP("Save the list under another name")},
    {ID_EDITOR_EXPORT_CSV, TR_NOOP("Save the table as CSV for a spreadsheet")},
    {ID_EDITOR_PRINT_SHEET, TR_NOOP("Print a test sheet of the list's verbs with an answer key")},
    {ID_EDITOR_CLOSE, TR_NOOP("Close this window")},
    {ID_EDITOR_UNDO, TR_NOOP("Undo the last change")},
    {ID_EDITOR_REDO, TR_NOOP("Redo the change undone last")},
    {ID_EDITOR_CUT, TR_NOOP("Copy the chosen rows and delete them")},
    {ID_EDITOR_COPY, TR_NOOP("Copy the chosen rows, tab-separated, for a spreadsheet")},
    {ID_EDITOR_PASTE, TR_NOOP("Insert rows copied from a spreadsheet or a web table")},
    {ID_EDITOR_ADD_ROW, TR_NOOP("Insert an empty row above the current one")},
    {ID_EDITOR_DELETE_ROWS, TR_NOOP("Delete the chosen rows")},
    {ID_EDITOR_MOVE_UP, TR_NOOP("Move the chosen rows up by one")},
    {ID_EDITOR_MOVE_DOWN, TR_NOOP("Move the chosen rows down by one")},
    {ID_EDITOR_SORT, TR_NOOP("Sort the rows by the column of the current cell")},
    {ID_EDITOR_FIND, TR_NOOP("Find a verb in the list")},
    {ID_EDITOR_FIND_NEXT, TR_NOOP("Find the next row holding the text looked for")},
    {ID_EDITOR_DRILL, TR_NOOP("Save the list, make it the list in use and start a lesson on it")},
    {ID_EDITOR_HELP, TR_NOOP("How to make and mend a verb list")},
};
