// The main window's menu, toolbar, accelerators and status bar indicators as plain
// tables; app/MainFrame.cpp builds the toolkit objects from them.
#pragma once

#include "res/CommandIds.h"

#include <cstddef>
#include <iterator>

// nId 0 is a separator.
struct MenuItemDef
{
    int nId;
    const char* pszLabel;
};

struct MenuDef
{
    const char* pszTitle;
    const MenuItemDef* pItems;
    std::size_t nItems;
};

inline constexpr MenuItemDef kFileMenu[] = {
    {ID_FILE_NEW, "&New lesson"},
    {0, nullptr},
    {ID_APP_EXIT, "&Close"},
};
inline constexpr MenuItemDef kLessonMenu[] = {
    {ID_LESSON_GIVEUP, "Give up"},
    {ID_LESSON_STATISTICS, "Statistics"},
    {ID_LESSON_VIEW, "View"},
    {0, nullptr},
    {ID_LESSON_VERB_LIST, "Verb &List..."},
    {ID_LESSON_STANDARD_LIST, "&Standard List"},
    {ID_LESSON_EDIT_LIST, "&Edit Verb List..."},
    {0, nullptr},
    {ID_LESSON_MISTAKES, "Practise &Mistakes"},
    {ID_LESSON_PROGRESS, "&Progress..."},
    {ID_LESSON_FORGET, "&Forget History..."},
    {0, nullptr},
    {ID_LESSON_LANGUAGE, "Language..."},
};
inline constexpr MenuItemDef kHelpMenu[] = {
    {ID_HELP, "&Help"},
    {0, nullptr},
    {ID_APP_ABOUT, "About"},
};
inline constexpr MenuDef kMainMenu[] = {
    {"&File", kFileMenu, std::size(kFileMenu)},
    {"&Lesson", kLessonMenu, std::size(kLessonMenu)},
    {"&Help", kHelpMenu, std::size(kHelpMenu)},
};

// nId 0 is a separator; nImage indexes the 16 x 16 images of toolbar.xpm.
struct ToolDef
{
    int nId;
    int nImage;
};

inline constexpr ToolDef kToolbar[] = {
    {ID_FILE_NEW, 0}, {0, 0}, {ID_LESSON_STATISTICS, 1}, {0, 0}, {ID_LESSON_GIVEUP, 2},
};

// The command prompts of the string table: the status bar text, a line feed, the
// tooltip. Menu items and tools show them; a command without one (Give up, Statistics,
// View) shows neither.
struct CommandPromptDef
{
    int nId;
    const char* pszPrompt;
};

inline constexpr CommandPromptDef kCommandPrompts[] = {
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_HELP, "Display help for current task or command\nHelp"},
    {ID_LESSON_VERB_LIST, "Choose the verb list the lessons read\nVerb List"},
    {ID_LESSON_STANDARD_LIST, "Go back to the verb list that comes with the program\nStandard List"},
    {ID_LESSON_EDIT_LIST, "Open the verb list in use in the editor\nEdit Verb List"},
    {0, nullptr},
    {ID_LESSON_MISTAKES, "Start a lesson on the questions you answered wrong and have not yet mastered\nPractise Mistakes"},
    {ID_LESSON_PROGRESS, "Show your right answers lesson by lesson and the verbs you miss most\nProgress"},
    {ID_LESSON_FORGET, "Delete the history of your answers\nForget History"},
    {ID_LESSON_LANGUAGE, "Choose the language of the menus, dialogs and messages\nLanguage"},
};

// Accelerator modifiers in the classic resource's values; keys are VirtualKey codes,
// a letter key is its capital.
enum AcceleratorFlags : unsigned
{
    ACCEL_SHIFT_KEY = 0x04,
    ACCEL_CONTROL_KEY = 0x08,
    ACCEL_ALT_KEY = 0x10,
};

struct AcceleratorDef
{
    unsigned nFlags;
    int nKey;
    int nId;
};

// Keys the frame consumes: they never reach the view, whether or not their command
// does anything.
inline constexpr AcceleratorDef kAccelerators[] = {
    {ACCEL_CONTROL_KEY, 'N', ID_FILE_NEW},
    {ACCEL_CONTROL_KEY, 'O', ID_FILE_OPEN},
    {ACCEL_CONTROL_KEY, 'S', ID_FILE_SAVE},
    {ACCEL_CONTROL_KEY, 'P', ID_FILE_PRINT},
    {ACCEL_CONTROL_KEY, 'Z', ID_EDIT_UNDO},
    {ACCEL_ALT_KEY, KEY_BACKSPACE, ID_EDIT_UNDO},
    {ACCEL_CONTROL_KEY, 'X', ID_EDIT_CUT},
    {ACCEL_SHIFT_KEY, KEY_DELETE, ID_EDIT_CUT},
    {ACCEL_CONTROL_KEY, 'C', ID_EDIT_COPY},
    {ACCEL_CONTROL_KEY, KEY_INSERT, ID_EDIT_COPY},
    {ACCEL_CONTROL_KEY, 'V', ID_EDIT_PASTE},
    {ACCEL_SHIFT_KEY, KEY_INSERT, ID_EDIT_PASTE},
    {0, KEY_F6, ID_NEXT_PANE},
    {ACCEL_SHIFT_KEY, KEY_F6, ID_PREV_PANE},
    // Beside the classic table: the key every desktop opens its help with.
    {0, KEY_F1, ID_HELP},
};

// The status bar after its message field: one field per lock key, showing its text
// while the lock is on.
enum class LockKey
{
    CapsLock,
    NumLock,
    ScrollLock,
};

struct IndicatorDef
{
    LockKey key;
    const char* pszText;
};

inline constexpr IndicatorDef kIndicators[] = {
    {LockKey::CapsLock, "CAP"},
    {LockKey::NumLock, "NUM"},
    {LockKey::ScrollLock, "SCRL"},
};
