// The translations between toolkit and engine at the window boundary: text, typed
// characters, keys, message boxes and timer intervals.
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewCanvas.h"

#include <wx/defs.h>

#include <gtest/gtest.h>

#include <climits>

TEST(FromLatin1, EveryByteBecomesTheCharacterOfTheSameCode)
{
    const std::string strBytes("A\xE9\xFF\x80", 4);
    const wxString strText = FromLatin1(strBytes);
    ASSERT_EQ(strText.length(), 4u);
    EXPECT_EQ(strText[0].GetValue(), 0x41u);
    EXPECT_EQ(strText[1].GetValue(), 0xE9u);
    EXPECT_EQ(strText[2].GetValue(), 0xFFu);
    EXPECT_EQ(strText[3].GetValue(), 0x80u);
}

TEST(FromLatin1, KeepsTextAfterAnEmbeddedNul)
{
    EXPECT_EQ(FromLatin1(std::string("go\0ne", 5)).length(), 5u);
    EXPECT_TRUE(FromLatin1("").empty());
}

TEST(ViewCharCode, PassesLatin1CharactersOnly)
{
    struct Row
    {
        const char* name;
        int nUnicode;
        bool bAlt, bControl;
        std::optional<unsigned> expected;
    };
    const Row rows[] = {
        {"letter", 'a', false, false, 'a'},
        {"return", '\r', false, false, '\r'},
        {"backspace", '\b', false, false, '\b'},
        {"control character", 0x01, false, true, 0x01u},
        {"e acute", 0xE9, false, false, 0xE9u},
        {"y diaeresis, the last", 0xFF, false, false, 0xFFu},
        {"first beyond Latin-1", 0x100, false, false, std::nullopt},
        {"euro sign", 0x20AC, false, false, std::nullopt},
        {"no character (arrow key)", WXK_NONE, false, false, std::nullopt},
        {"menu mnemonic", 'f', true, false, std::nullopt},
        {"AltGr as Ctrl+Alt", '@', true, true, '@'},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ViewCharCode(row.nUnicode, row.bAlt, row.bControl), row.expected) << row.name;
}

TEST(ViewVirtualKey, MapsTheEditingKeysAndNothingElse)
{
    struct Row
    {
        int nKeyCode;
        std::optional<unsigned> expected;
    };
    const Row rows[] = {
        {WXK_END, 35u},          {WXK_NUMPAD_END, 35u},  {WXK_HOME, 36u},
        {WXK_NUMPAD_HOME, 36u},  {WXK_LEFT, 37u},        {WXK_NUMPAD_LEFT, 37u},
        {WXK_RIGHT, 39u},        {WXK_NUMPAD_RIGHT, 39u}, {WXK_DELETE, 46u},
        {WXK_NUMPAD_DELETE, 46u}, {WXK_UP, std::nullopt}, {WXK_BACK, std::nullopt},
        {WXK_INSERT, std::nullopt},
        // Printable keys whose codes equal the classic ones of End, Left and Delete.
        {'#', std::nullopt}, {'%', std::nullopt}, {'.', std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ViewVirtualKey(row.nKeyCode), row.expected) << "key code " << row.nKeyCode;
}

TEST(MessageBoxFlags, ChoosesButtonsAndIcon)
{
    EXPECT_EQ(MessageBoxFlags(BOX_OK), wxOK | wxICON_NONE);
    EXPECT_EQ(MessageBoxFlags(BOX_YESNO | BOX_ICONQUESTION), wxYES_NO | wxICON_QUESTION);
    EXPECT_EQ(MessageBoxFlags(BOX_OK | BOX_ICONSTOP), wxOK | wxICON_STOP);
    EXPECT_EQ(MessageBoxFlags(BOX_YESNO | BOX_ICONSTOP), wxYES_NO | wxICON_STOP);
}

TEST(MessageBoxResult, YesNoBoxesAnswerYesOnlyForYes)
{
    EXPECT_EQ(MessageBoxResult(wxID_YES, BOX_YESNO | BOX_ICONQUESTION), RESULT_YES);
    EXPECT_EQ(MessageBoxResult(wxID_NO, BOX_YESNO), RESULT_NO);
    EXPECT_EQ(MessageBoxResult(wxID_CANCEL, BOX_YESNO), RESULT_NO) << "closed with Esc";
    EXPECT_EQ(MessageBoxResult(wxID_OK, BOX_OK | BOX_ICONSTOP), RESULT_OK);
    EXPECT_EQ(MessageBoxResult(wxID_CANCEL, BOX_OK), RESULT_OK) << "closed with Esc";
}

TEST(TimerInterval, FitsEveryTimeIntoTheToolkitsRange)
{
    EXPECT_EQ(TimerInterval(0), 1) << "0 would stop the timer";
    EXPECT_EQ(TimerInterval(1), 1);
    EXPECT_EQ(TimerInterval(333), 333);
    EXPECT_EQ(TimerInterval(static_cast<std::uint32_t>(INT_MAX)), INT_MAX);
    EXPECT_EQ(TimerInterval(static_cast<std::uint32_t>(INT_MAX) + 1u), INT_MAX);
    EXPECT_EQ(TimerInterval(UINT32_MAX), INT_MAX);
}
