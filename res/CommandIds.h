// Command, timer and control identifiers shared by the menu, toolbar, accelerators and view.
#pragma once

enum CommandId : int
{
    ID_LESSON_STATISTICS = 32772,
    ID_LESSON_GIVEUP = 32779,
    ID_LESSON_VIEW = 32806,
    // Below 32767, the toolkit's limit for portable menu ids.
    ID_LESSON_VERB_LIST = 32700,
    ID_LESSON_STANDARD_LIST = 32701,
    ID_LESSON_RECENT_LIST_1 = 32702, // .. + 3: the recent lists, newest first
    ID_LESSON_EDIT_LIST = 32706,
    ID_LESSON_MISTAKES = 32820,
    ID_LESSON_PROGRESS = 32821,
    ID_LESSON_FORGET = 32822,
    ID_LESSON_LANGUAGE = 32823,
    ID_LESSON_SPEECH = 32840, // the submenu
    ID_SPEECH_SAY = 32841,
    ID_SPEECH_AFTER_VERDICT = 32842,
    ID_SPEECH_BRITISH = 32843,
    ID_SPEECH_AMERICAN = 32844,
    ID_SPEECH_BY_EAR = 32845,
    ID_LESSON_REVIEW = 32830,
    ID_LESSON_SLIP = 32831,
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

// Keys in classic virtual-key codes: the editing keys the view handles and the keys of
// the accelerators. Named apart from the platform's own macros.
enum VirtualKey : unsigned
{
    KEY_BACKSPACE = 0x08,
    KEY_END = 0x23,
    KEY_HOME = 0x24,
    KEY_LEFT = 0x25,
    KEY_RIGHT = 0x27,
    KEY_INSERT = 0x2D,
    KEY_DELETE = 0x2E,
    KEY_F1 = 0x70,
    KEY_F5 = 0x74,
    KEY_F6 = 0x75,
};
