// The main window's menu, toolbar, accelerators and status bar indicators as plain
// tables; app/MainFrame.cpp builds the toolkit objects from them. The texts are English
// here and translated where they are shown.
#pragma once

#include "framework/Translation.h"
#include "res/CommandIds.h"

#include <cstddef>
#include <iterator>

struct MenuDef;

enum class MenuItemKind
{
    Normal,
    Check,
    Radio,
    Submenu,
};

// nId 0 is a separator.
struct MenuItemDef
{
    int nId;
    const char* pszLabel;
    MenuItemKind nKind = MenuItemKind::Normal;
    const MenuDef* pSubmenu = nullptr;
};

struct MenuDef
{
    const char* pszTitle;
    const MenuItemDef* pItems;
    std::size_t nItems;
};

inline constexpr MenuItemDef kFileMenu[] = {
    {ID_FILE_NEW, TR_NOOP("&New lesson")},
    {0, nullptr},
    {ID_APP_EXIT, TR_NOOP("&Close")},
};
// The key of Speak is shown beside it (kItemsShowingKeys).
inline constexpr MenuItemDef kSpeechItems[] = {
    {ID_SPEECH_SAY, TR_NOOP("&Speak")},
    {ID_SPEECH_AFTER_VERDICT, TR_NOOP("Speak After Each &Verdict"), MenuItemKind::Check},
    {0, nullptr},
    {ID_SPEECH_BRITISH, TR_NOOP("&British English"), MenuItemKind::Radio},
    {ID_SPEECH_AMERICAN, TR_NOOP("&American English"), MenuItemKind::Radio},
    {0, nullptr},
    {ID_SPEECH_BY_EAR, TR_NOOP("Lesson by &Ear"), MenuItemKind::Check},
};
inline constexpr MenuDef kSpeechMenu = {TR_NOOP("Speech"), kSpeechItems, std::size(kSpeechItems)};
inline constexpr MenuItemDef kLessonMenu[] = {
    {ID_LESSON_GIVEUP, TR_NOOP("Give up")},
    {ID_LESSON_STATISTICS, TR_NOOP("Statistics")},
    {ID_LESSON_VIEW, TR_NOOP("View")},
    // TRANSLATORS: said of a wrong answer shown: it was only a slip of the fingers.
    {ID_LESSON_SLIP, TR_NOOP("&That Was a Slip")},
    {0, nullptr},
    {ID_LESSON_VERB_LIST, TR_NOOP("Verb &List...")},
    {ID_LESSON_STANDARD_LIST, TR_NOOP("&Standard List")},
    {ID_LESSON_EDIT_LIST, TR_NOOP("&Edit Verb List...")},
    {0, nullptr},
    {ID_LESSON_REVIEW, TR_NOOP("&Review Due")},
    {ID_LESSON_MISTAKES, TR_NOOP("Practise &Mistakes")},
    {ID_LESSON_PROGRESS, TR_NOOP("&Progress...")},
    {ID_LESSON_FORGET, TR_NOOP("&Forget History...")},
    {0, nullptr},
    {ID_LESSON_LANGUAGE, TR_NOOP("Language...")},
    {ID_LESSON_SPEECH, kSpeechMenu.pszTitle, MenuItemKind::Submenu, &kSpeechMenu},
};
inline constexpr MenuItemDef kHelpMenu[] = {
    {ID_HELP, TR_NOOP("&Help")},
    {0, nullptr},
    {ID_APP_ABOUT, TR_NOOP("About")},
};
inline constexpr MenuDef kMainMenu[] = {
    {TR_NOOP("&File"), kFileMenu, std::size(kFileMenu)},
    {TR_NOOP("&Lesson"), kLessonMenu, std::size(kLessonMenu)},
    {TR_NOOP("&Help"), kHelpMenu, std::size(kHelpMenu)},
};

// nId 0 is a separator; nImage indexes the 16 x 16 images of toolbar.xpm.
struct ToolDef
{
    int nId;
    int nImage;
};

inline constexpr ToolDef kToolbar[] = {
    {ID_FILE_NEW, 0}, {0, 0}, {ID_LESSON_STATISTICS, 1}, {0, 0}, {ID_LESSON_GIVEUP, 2},
    {0, 0}, {ID_SPEECH_SAY, 3},
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
    // TRANSLATORS: a command's prompt: the status bar's text, a line break, then the tooltip.
    {ID_FILE_NEW, TR_NOOP("Create a new document\nNew")},
    {ID_APP_EXIT, TR_NOOP("Quit the application; prompts to save documents\nExit")},
    {ID_APP_ABOUT, TR_NOOP("Display program information, version number and copyright\nAbout")},
    {ID_HELP, TR_NOOP("Display help for current task or command\nHelp")},
    {ID_LESSON_VERB_LIST, TR_NOOP("Choose the verb list the lessons read\nVerb List")},
    {ID_LESSON_STANDARD_LIST, TR_NOOP("Go back to the verb list that comes with the program\nStandard List")},
    {ID_LESSON_EDIT_LIST, TR_NOOP("Open the verb list in use in the editor\nEdit Verb List")},
    {0, nullptr},
    {ID_LESSON_MISTAKES, TR_NOOP("Start a lesson on the questions you answered wrong and have not yet mastered\nPractise Mistakes")},
    {ID_LESSON_PROGRESS, TR_NOOP("Show your right answers lesson by lesson and the verbs you miss most\nProgress")},
    {ID_LESSON_FORGET, TR_NOOP("Delete the history of your answers\nForget History")},
    {ID_LESSON_LANGUAGE, TR_NOOP("Choose the language of the menus, dialogs and messages\nLanguage")},
    {ID_LESSON_SPEECH, TR_NOOP("Hear the verbs spoken\nSpeech")},
    {ID_SPEECH_SAY, TR_NOOP("Say the word asked or, while a verdict shows, the right answer\nSpeak")},
    {ID_SPEECH_AFTER_VERDICT, TR_NOOP("Say the right answer each time a verdict is shown\nSpeak After Each Verdict")},
    {ID_SPEECH_BRITISH, TR_NOOP("Speak the verbs as they are said in Britain\nBritish English")},
    {ID_SPEECH_AMERICAN, TR_NOOP("Speak the verbs as they are said in the United States\nAmerican English")},
    {ID_SPEECH_BY_EAR, TR_NOOP("Hear the word asked instead of reading it\nLesson by Ear")},
    {ID_LESSON_REVIEW, TR_NOOP("Start a lesson on the questions due for review today\nReview Due")},
    {ID_LESSON_SLIP, TR_NOOP("Count the wrong answer shown as a typing slip: it does not send the question back to box 1\nThat Was a Slip")},
};

// The menu items that show their key (from the accelerators below) beside them; the
// classic items show none.
inline constexpr int kItemsShowingKeys[] = {ID_LESSON_SLIP, ID_SPEECH_SAY};

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
    // These type nothing, so they cannot reach the answer.
    {0, KEY_F5, ID_SPEECH_SAY},
    {ACCEL_CONTROL_KEY | ACCEL_SHIFT_KEY, 'S', ID_LESSON_SLIP},
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
    // TRANSLATORS: the status bar while Caps Lock is on; as short as here.
    {LockKey::CapsLock, TR_NOOP("CAP")},
    // TRANSLATORS: the status bar while Num Lock is on; as short as here.
    {LockKey::NumLock, TR_NOOP("NUM")},
    // TRANSLATORS: the status bar while Scroll Lock is on; as short as here.
    {LockKey::ScrollLock, TR_NOOP("SCRL")},
};
