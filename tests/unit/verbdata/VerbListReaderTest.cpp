// The verb list format and its encodings; a long line and memory running out.
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include "support/LessonChoices.h"
#include "support/LittleMemory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

const std::string H = "# comment\ntitle\n#\n#\n", kGo = "bas1\nwent\ngo\ngone\n", kBom = "\xEF\xBB\xBF";
const std::string kGo6 = "go>1:went|go>2:gone|went>0:go|went>2:gone|gone>0:go|gone>1:went|";
const std::string kWorked = TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver");
const std::string kWorked8 = kGo6 + "learn>1:/learned /learnt|learn>2:/learned /learnt|";
const std::string kTooLong = "(line too long)";

// The list read after a question that must stay first: the new ones as "prompt>asked form:
// expected|", then how the reading ended, if not at the end of the file. The choice is
// "directions/groups" as index digits (groups lit ess1 ess2 bas1 bas2 dop), "*" alternative.
std::string Read(const std::string& strList, const std::string& strChoice)
{
    TempDir dir;
    const std::size_t nSlash = strChoice.find('/');
    QuestionPool pool{MakeQuestion("there", PastTense, "x")};
    const VerbListEnd end = ReadVerbListFile(dir.Write("list.ver", strList).string(), strChoice.back() == '*',
                                             Flags<DirectionSet>(strChoice.substr(0, nSlash)),
                                             Flags<GroupSet>(strChoice.substr(nSlash)), pool);
    std::string str = pool.at(0).m_strPrompt == "there" ? "" : "the first question was lost! ";
    for (std::size_t i = 1; i < pool.size(); ++i)
        str += pool[i].m_strPrompt + ">" + std::to_string(pool[i].m_nAskedForm) + ":" + pool[i].m_strExpected + "|";
    const char* const ends[] = {"", "(line too long)", "(no file)", "(out of memory)"};
    return str + ends[static_cast<int>(end)];
}

// In a child process with little address space left: exits with 0 when the reading ended,
// keeping its questions, with room for the copy of a wrongly answered question.
void ReadUntilMemoryRunsOut(const std::string& strPath)
{
    LeaveLittleMemory();
    QuestionPool pool;
    const auto end = ReadVerbListFile(strPath, false, Flags<DirectionSet>("012345"), Flags<GroupSet>("3"), pool);
    std::exit(end == VerbListEnd::OutOfMemory && pool.size() > 100000 && pool.capacity() > pool.size() ? 0 : 1);
}

} // namespace

// The format; then the encodings: a list valid as UTF-8 is converted to Latin-1, any other
// reads as Latin-1, and the same verbs give the same questions; the line limit counts the
// Latin-1 characters.
TEST(ReadVerbList, ListRules)
{
    const std::string x59(59, 'x'), z(100000, 'z'), l59(59, '\xE9'), nul("\0", 1), h3 = "#\n#\n#\nt\n#\n#\n";
    const std::string kUnknown = "BAS1\nsaw\nsee\nseen\nbas1 \ntook\ntake\ntaken\n";
    std::string e60;
    while (e60.size() < 120)
        e60 += "\xC3\xA9";
    const std::string rows[][4] = {
        {"worked file", kWorked, "012345/35", kWorked8},
        {"worked file, alternative: every group", kWorked, "012345/*", kWorked8},
        {"header without the leading comment", "title\n#\n#\n" + kGo, "0/3", "go>1:went|"},
        {"no # line", "title\n" + kGo + kGo, "0/3", ""},
        {"one # line after the title", "title\n#\n" + kGo, "0/3", ""},
        {"a blank line starts a record", H + "\n" + kGo, "0/", "went>1:bas1|"},
        {"# between records, and in one", H + "#\n" + kGo + "bas1\n#went\ngo\ngone\n", "0/3", "go>1:went|go>1:#went|"},
        {"tags exact, unknown kept", H + kGo + kUnknown + "lit\nslew\nslay\nslain\ness1\nbit\nbite\nbitten\n", "0/0",
         "see>1:saw|take>1:took|slay>1:slew|"},
        {"an empty form drops the record", H + "bas1\n\ngo\ngone\nbas1\nsaw\nsee\nseen\n", "1/3", "see>2:seen|"},
        {"a / past tense stops the record at 2", H + "ess1\n/a /b\nbe\nbeen\n", "012345/1", "be>1:/a /b|be>2:been|"},
        {"a / infinitive, directions 2 and 4", H + "ess1\nwent\n/a /b\ngone\n", "24/1", "went>0:/a /b|gone>0:/a /b|"},
        {"no final line feed", H + kGo.substr(0, kGo.size() - 1), "012345/3", kGo6},
        {"a record cut short", H + "bas1\nwent\ngo\n", "012345/3", ""},
        {"no direction", H + kGo, "/3", ""},
        {"59 characters, and a CR", H + "bas1\n" + x59 + "\ngo\r\ngone\n", "0/3", "go>1:" + x59 + "|"},
        {"60 characters stop the reading", H + kGo + x59 + "y\n" + kGo, "0/3", "go>1:went|" + kTooLong},
        {"a long form drops its record", H + kGo + "bas1\nx\n" + z + "\n", "0/3", "go>1:went|" + kTooLong},
        {"odd bytes kept; a lone CR ends no line", H + "bas1\nw" + nul + "nt\ngo\ngone\nbas1\nt\xF6ok\nt\xE4ke\nt\xFF\n"
         "bas1\nsaw\rsee\nseen\n" + kGo, "0/3", "go>1:w" + nul + "nt|t\xE4ke>1:t\xF6ok|seen>1:saw\rsee|"},
        {"Latin-1", H + "bas1\nw\xE9nt\ng\xF3\ngone\n", "0/3", "g\xF3>1:w\xE9nt|"},
        {"UTF-8", H + "bas1\nw\xC3\xA9nt\ng\xC3\xB3\ngone\n", "0/3", "g\xF3>1:w\xE9nt|"},
        {"UTF-8 and a byte-order mark", kBom + h3 + "bas1\nw\xC3\xA9nt\ngo\ngone\n", "0/3", "go>1:w\xE9nt|"},
        {"ASCII and a byte-order mark", kBom + h3 + kGo, "0/3", "go>1:went|"},
        {"beyond Latin-1", H + "bas1\nw\xE2\x82\xACnt\ng\xF0\x9F\x98\x80\ngone\n", "0/3", "g?>1:w?nt|"},
        {"one byte no UTF-8: all Latin-1", H + "bas1\nw\xC3\xA9nt\nt\xE9\ngone\n", "0/3", "t\xE9>1:w\xC3\xA9nt|"},
        {"59 characters in 118 bytes", H + "bas1\n" + e60.substr(2) + "\ngo\ngone\n", "0/3", "go>1:" + l59 + "|"},
        {"60 characters", H + kGo + "bas1\n" + e60 + "\ngo\ngone\n", "0/3", "go>1:went|" + kTooLong},
    };
    for (const auto& [strName, strList, strChoice, strQuestions] : rows)
        EXPECT_EQ(Read(strList, strChoice), strQuestions) << strName;
    std::string str; // overlong, a surrogate, beyond U+10FFFF, cut short; and beyond Latin-1
    EXPECT_EQ(Utf8ToLatin1("\xE0\x80\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xC3 \xC3\xA9\xE2\x82\xAC", str), 12u);
    EXPECT_EQ(str, "??? ??? ???? ? \xE9?");
}

TEST(ReadVerbList, LongLineEndsTheReadingAtOnce)
{
    std::istringstream in(H + kGo + std::string(16 << 20, 'x'));
    QuestionPool pool;
    EXPECT_EQ(ReadVerbList(in, false, DirectionSet(), GroupSet(), pool), VerbListEnd::LineTooLong);
    EXPECT_LT(in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in), 1 << 20) << "bytes read of a 16 MiB line";
}

// A list that needs more memory than there is, read in a child process.
TEST(ReadVerbList, RunningOutOfMemoryKeepsTheQuestionsReadSoFar)
{
    if (const char* pszWhy = WhyNoMemoryLimit())
        GTEST_SKIP() << pszWhy;
    TempDir dir;
    std::string strList = H;
    while (strList.size() < (4 << 20))
        strList += kGo;
    EXPECT_EXIT(ReadUntilMemoryRunsOut(dir.Write("huge.ver", strList).string()), ::testing::ExitedWithCode(0), "");
}
