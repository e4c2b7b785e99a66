// Command, timer and control identifiers shared by the menu, toolbar, accelerators and view.
#pragma once

enum CommandId : int
{
    ID_LESSON_STATISTICS = 32772,
    ID_LESSON_GIVEUP = 32779,
    ID_LESSON_VIEW = 32806,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

enum TimerId : unsigned
{
    TIMER_CARET_BLINK = 101,
    TIMER_VERDICT = 103,
};

constexpr unsigned kCaretBlinkMilliseconds = 333;

// The editing keys the view handles, as classic virtual-key codes.
enum VirtualKey : unsigned
{
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_RIGHT = 39,
    VK_DELETE = 46,
};
