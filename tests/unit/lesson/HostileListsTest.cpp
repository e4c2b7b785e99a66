// Verb list files no lesson should meet: empty, binary, huge, gone or replaced at the
// wrong moment, unreadable, or no files at all. A lesson must neither crash nor hang; it
// keeps the records read before the damage, and with nothing to ask it stays on the
// welcome screen.
#include "lesson/VespinDoc.h"

#include "lesson/VerbListFiles.h"
#include "res/CommandIds.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingDC.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"
#include "verbdata/VerbListReader.h"
#include "view/VespinView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

const std::string kHeader = "# hostile list\ntitle\n#\n#\n";
const std::string kGo = "bas1\nwent\ngo\ngone\n";
const std::string kLearn = "dop\nlearnt\nlearn\nlearnt\n";
const char* const kWelcome = "Welcome, press the left mouse button to continue.";

DirectionSet AllDirections()
{
    DirectionSet directions;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        directions.Set(k, true);
    return directions;
}

GroupSet AllGroups()
{
    GroupSet groups;
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, true);
    return groups;
}

std::string WorkedList()
{
    return TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver");
}

std::string Replace(std::string str, char cFrom, const std::string& strTo)
{
    std::string strResult;
    for (char c : str)
        strResult += c == cFrom ? strTo : std::string(1, c);
    return strResult;
}

// TALDRIN_TEST_SEED replays a failure; otherwise every run draws a new seed.
unsigned TestSeed()
{
    const char* psz = std::getenv("TALDRIN_TEST_SEED");
    return psz && *psz ? static_cast<unsigned>(std::strtoul(psz, nullptr, 10))
                       : std::random_device()();
}

// Bytes this process has read from files so far (Linux task I/O accounting).
std::uint64_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string strKey;
    std::uint64_t nValue = 0;
    while (io >> strKey >> nValue)
        if (strKey == "rchar:")
            return nValue;
    ADD_FAILURE() << "/proc/self/io gives no rchar";
    return 0;
}

class HostileListsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Enter();
        m_doc.m_fnSeed = [] { return 1u; };
    }

    // A new lesson over every direction and group, as the set-up dialogs start one.
    void StartLesson()
    {
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_doc.SetDirections(AllDirections());
        m_doc.SetGroups(AllGroups());
        m_doc.LoadQuestions();
    }

    // Nothing to ask: no question, a new game's title, the welcome screen, and keys
    // that change nothing.
    void ExpectNoLesson()
    {
        EXPECT_TRUE(m_doc.m_pool.empty());
        EXPECT_EQ(m_doc.GetTitle(), "New Game");
        EXPECT_EQ(m_doc.GetPrompt(), "");
        EXPECT_EQ(m_doc.GetAskedFormName(), "");
        EXPECT_FALSE(m_doc.m_bFinished);
        RecordingDC dc;
        m_view.OnDraw(&dc);
        EXPECT_NE(dc.FindText(kWelcome), nullptr) << "the welcome screen";
        m_view.OnChar('x');
        m_view.OnChar('\r');
        m_view.OnKeyDown(KEY_LEFT);
        EXPECT_TRUE(m_doc.m_strTyped.empty());
        EXPECT_EQ(m_doc.m_stats.m_nRight + m_doc.m_stats.m_nWrong, 0u);
    }

    // Every question is one a lesson can ask, and the title shows the current one.
    void ExpectSoundQuestions()
    {
        for (const Question& q : m_doc.m_pool)
        {
            ASSERT_FALSE(q.m_strPrompt.empty());
            EXPECT_NE(q.m_strPrompt[0], '/');
            EXPECT_LE(q.m_strPrompt.size(), kMaxLineLength);
            EXPECT_FALSE(q.m_strExpected.empty());
            EXPECT_LE(q.m_strExpected.size(), kMaxLineLength);
            EXPECT_TRUE(q.m_nAskedForm >= Infinitive && q.m_nAskedForm <= PastParticiple);
        }
        if (!m_doc.m_pool.empty())
        {
            EXPECT_LT(m_doc.m_nCurrent, m_doc.m_pool.size());
            EXPECT_EQ(m_doc.GetTitle(), ConvertAccents(m_doc.GetPrompt()));
        }
    }

    std::vector<std::string> Prompts() const
    {
        std::vector<std::string> prompts;
        for (const Question& q : m_doc.m_pool)
            prompts.push_back(q.GetPrompt() + ">" + q.GetExpected());
        return prompts;
    }

    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};
};

const std::vector<std::string> kGoPrompts = {"go>went",   "go>gone", "went>go",
                                             "went>gone", "gone>go", "gone>went"};

} // namespace

TEST_F(HostileListsTest, EmptyListsAndHeadersOnlyGiveNoLesson)
{
    for (const std::string& strList : {std::string(), kHeader, std::string("\n\n\n\n\n\n\n\n"),
                                       std::string("#"), kHeader + "bas1\nwent\ngo\n"})
    {
        SCOPED_TRACE("list: \"" + strList + "\"");
        m_dir.Write(kMainVerbList, strList);
        StartLesson();
        EXPECT_FALSE(m_doc.m_bAlternativeFile);
        ExpectNoLesson();
    }
}

TEST_F(HostileListsTest, BinaryNoiseGivesOnlySoundQuestions)
{
    const unsigned nSeed = TestSeed();
    std::mt19937 random(nSeed);
    SCOPED_TRACE("TALDRIN_TEST_SEED=" + std::to_string(nSeed));
    std::size_t nLessons = 0;
    for (int nRound = 0; nRound < 300; ++nRound)
    {
        // From noise with long lines, which stops the reading early, to short lines
        // that make many records; some lists start with a proper header.
        const unsigned nLineEvery = 2 + nRound % 30;
        std::string strList = nRound % 2 ? kHeader : std::string();
        const std::size_t nSize = random() % 4000;
        for (std::size_t i = 0; i < nSize; ++i)
            strList += random() % nLineEvery == 0 ? '\n' : static_cast<char>(random() % 256);
        m_dir.Write(kMainVerbList, strList);

        StartLesson();
        ExpectSoundQuestions();
        if (HasFailure())
        {
            ADD_FAILURE() << "round " << nRound;
            return;
        }
        nLessons += m_doc.m_pool.empty() ? 0 : 1;
    }
    EXPECT_GT(nLessons, 10u) << "the noise made records too, not only rejected lists";
}

TEST_F(HostileListsTest, NulBytesAreOrdinaryCharacters)
{
    m_dir.Write(kMainVerbList, kHeader + std::string("bas1\nwe\0nt\ngo\ngone\n", 19));
    ASSERT_TRUE(m_doc.OnNewDocument());
    DirectionSet toPastTense;
    toPastTense.Set(0, true);
    m_doc.SetDirections(toPastTense);
    m_doc.SetGroups(AllGroups());
    m_doc.LoadQuestions();
    ASSERT_EQ(m_doc.m_pool.size(), 1u);
    EXPECT_EQ(m_doc.GetPrompt(), "go");
    EXPECT_EQ(m_doc.m_pool[0].GetExpected(), std::string("we\0nt", 5));

    m_doc.m_bCorrecting = false;
    for (char c : std::string("we\0nt\r", 6))
        m_view.OnChar(static_cast<unsigned char>(c));
    EXPECT_EQ(m_doc.m_stats.m_nRight, 1u) << "a typed NUL answers a NUL in the list";
    EXPECT_TRUE(m_doc.m_bFinished);

    m_dir.Write(kMainVerbList, std::string(1 << 20, '\0'));
    StartLesson();
    ExpectNoLesson();
}

TEST_F(HostileListsTest, CarriageReturnsAloneDoNotEndLines)
{
    m_dir.Write(kMainVerbList, Replace(WorkedList(), '\n', "\r\n"));
    StartLesson();
    const std::vector<std::string> fromCrLf = Prompts();
    m_dir.Write(kMainVerbList, WorkedList());
    StartLesson();
    EXPECT_EQ(fromCrLf, Prompts()) << "CR LF reads like LF";
    EXPECT_EQ(fromCrLf.size(), 8u);

    // The whole list is one line, far over 59 characters.
    m_dir.Write(kMainVerbList, Replace(WorkedList(), '\n', "\r"));
    StartLesson();
    ExpectNoLesson();
}

TEST_F(HostileListsTest, HundredMegabyteLineEndsTheReadingAtOnce)
{
    const std::string strChunk(1 << 20, 'x');
    for (const bool bInHeader : {false, true})
    {
        SCOPED_TRACE(bInHeader ? "long title line" : "long line after a record");
        {
            std::ofstream out(kMainVerbList, std::ios::binary | std::ios::trunc);
            out << (bInHeader ? "# hostile list\n" : kHeader + kGo);
            for (int i = 0; i < 100; ++i)
                out << strChunk;
            out << "\n" << kLearn;
            ASSERT_TRUE(out.good());
        }
        ASSERT_GT(std::filesystem::file_size(kMainVerbList), 100u << 20);

        const std::uint64_t nReadBefore = BytesRead();
        StartLesson();
        const std::uint64_t nRead = BytesRead() - nReadBefore;
        EXPECT_LT(nRead, 1u << 20) << "bytes read from the 100 MB list";
        if (bInHeader)
            ExpectNoLesson();
        else
        {
            std::vector<std::string> prompts = Prompts();
            std::sort(prompts.begin(), prompts.end());
            std::vector<std::string> expected = kGoPrompts;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(prompts, expected)
                << "the record before the line is kept, the one after is not";
            ExpectSoundQuestions();
        }
    }
}

TEST_F(HostileListsTest, DirectoryInPlaceOfTheMainListLeadsToTheAlternativeList)
{
    std::filesystem::create_directory(kMainVerbList);
    m_dir.Write(kAlternativeVerbList, WorkedList());
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_TRUE(m_doc.m_bAlternativeFile);
    m_doc.SetDirections(AllDirections());
    m_doc.SetGroups(GroupSet());
    m_doc.LoadQuestions();
    EXPECT_EQ(m_doc.m_pool.size(), 8u)
        << "every record of the alternative list, whatever the groups";
    ExpectSoundQuestions();
}

TEST_F(HostileListsTest, DirectoriesInPlaceOfBothListsGiveNoLesson)
{
    std::filesystem::create_directory(kMainVerbList);
    std::filesystem::create_directory(kAlternativeVerbList);
    StartLesson();
    EXPECT_TRUE(m_doc.m_bAlternativeFile);
    ExpectNoLesson();
}

TEST_F(HostileListsTest, ListGoneOrReplacedBeforeLoadingGivesNoLesson)
{
    m_dir.Write(kMainVerbList, WorkedList());
    ASSERT_TRUE(m_doc.OnNewDocument());
    ASSERT_FALSE(m_doc.m_bAlternativeFile);
    std::filesystem::remove(kMainVerbList);
    m_doc.SetDirections(AllDirections());
    m_doc.SetGroups(AllGroups());
    m_doc.LoadQuestions();
    ExpectNoLesson();

    std::filesystem::create_directory(kMainVerbList);
    StartLesson();
    EXPECT_FALSE(m_doc.m_bAlternativeFile) << "the choice of list is made once";
    ExpectNoLesson();
}

// chmod 000 does not keep root out; a link that leads nowhere, or only to itself, keeps
// everyone out, so those are tried whoever runs the test.
TEST_F(HostileListsTest, UnreadableMainListIsPassedOver)
{
    const bool bRoot = ::geteuid() == 0;
    std::vector<std::string> ways = {"link to nothing", "link loop"};
    if (!bRoot)
        ways.push_back("mode 000");
    for (const std::string& strWay : ways)
    {
        SCOPED_TRACE(strWay);
        TempDir dir;
        dir.Enter();
        if (strWay == "link to nothing")
            std::filesystem::create_symlink("nowhere.ver", kMainVerbList);
        else if (strWay == "link loop")
        {
            std::filesystem::create_symlink("loop.ver", kMainVerbList);
            std::filesystem::create_symlink(kMainVerbList, "loop.ver");
        }
        else
        {
            dir.Write(kMainVerbList, WorkedList());
            std::filesystem::permissions(kMainVerbList, std::filesystem::perms::none);
        }
        ASSERT_FALSE(CanOpenVerbList(kMainVerbList));

        CVespinDoc doc(m_profile);
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_TRUE(doc.m_bAlternativeFile);
        doc.SetDirections(AllDirections());
        doc.LoadQuestions();
        EXPECT_TRUE(doc.m_pool.empty()) << "no alternative list either";
        EXPECT_EQ(doc.GetTitle(), "New Game");
    }
}

// Opening a pipe waits for a writer that never comes. The lesson runs in a child
// process that an alarm stops if it waits.
TEST_F(HostileListsTest, PipeInPlaceOfTheMainListIsPassedOverWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(kMainVerbList, 0644), 0);
    m_dir.Write(kAlternativeVerbList, WorkedList());
    EXPECT_EXIT(
        {
            ::alarm(10);
            StartLesson();
            std::fprintf(stderr, "alternative %d, questions %zu\n",
                         m_doc.m_bAlternativeFile ? 1 : 0, m_doc.m_pool.size());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "alternative 1, questions 8");
}

// The list is fine at the first lesson and a pipe by the next: that lesson is not
// started, and nothing waits.
TEST_F(HostileListsTest, ListReplacedByAPipeAfterStartUpGivesNoLesson)
{
    m_dir.Write(kMainVerbList, WorkedList());
    ASSERT_TRUE(m_doc.OnNewDocument());
    ASSERT_FALSE(m_doc.m_bAlternativeFile);
    std::filesystem::remove(kMainVerbList);
    ASSERT_EQ(::mkfifo(kMainVerbList, 0644), 0);
    EXPECT_EXIT(
        {
            ::alarm(10);
            m_doc.SetDirections(AllDirections());
            m_doc.SetGroups(AllGroups());
            m_doc.LoadQuestions();
            std::fprintf(stderr, "questions %zu, title %s\n", m_doc.m_pool.size(), m_doc.GetTitle().c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "questions 0, title New Game");
}
