// Verb list files no lesson should meet: empty, binary, huge, not a file, unreadable, or
// gone or replaced after start-up. A lesson neither crashes nor hangs; it keeps the records
// read before the damage, and with nothing to ask it stays on the welcome screen.
#include "lesson/VespinDoc.h"

#include "lesson/VerbListFiles.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingDC.h"
#include "support/TempDir.h"
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
const std::string kWorked = TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"); // 8 questions

// A new lesson over the first nDirections directions and every group, as the set-up
// dialogs start one. Which list is read is settled when the document is first opened.
void StartLesson(CVespinDoc& doc, std::size_t nDirections = kDirectionCount)
{
    ASSERT_TRUE(doc.OnNewDocument());
    DirectionSet directions;
    GroupSet groups;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        directions.Set(k, k < nDirections);
    for (std::size_t k = 0; k < kGroupCount; ++k)
        groups.Set(k, true);
    doc.SetDirections(directions);
    doc.SetGroups(groups);
    doc.LoadQuestions();
}

// For EXPECT_EXIT: a lesson that an alarm stops if it waits, and what it holds.
void StartInChild(CVespinDoc& doc)
{
    ::alarm(10);
    StartLesson(doc);
    std::fprintf(stderr, "alternative %d, questions %zu, title %s\n", doc.m_bAlternativeFile ? 1 : 0,
                 doc.m_pool.size(), doc.GetTitle().c_str());
    std::exit(0);
}

class HostileListsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_dir.Enter(); }

    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};
};

} // namespace

TEST_F(HostileListsTest, ListsWithNothingToAskGiveNoLesson)
{
    std::string strCrOnly = kWorked; // one line, far over 59 characters
    std::replace(strCrOnly.begin(), strCrOnly.end(), '\n', '\r');
    const std::pair<const char*, std::string> lists[] = {
        {"empty", ""},
        {"header only", kHeader},
        {"record cut short", kHeader + "bas1\nwent\ngo\n"},
        {"1 MiB of NUL bytes", std::string(1 << 20, '\0')},
        {"CR line ends only", strCrOnly}};
    for (const auto& [pszName, strList] : lists)
    {
        SCOPED_TRACE(pszName);
        m_dir.Write(kMainVerbList, strList);
        StartLesson(m_doc);
        EXPECT_FALSE(m_doc.m_bAlternativeFile);
        EXPECT_TRUE(m_doc.m_pool.empty());
        EXPECT_EQ(m_doc.GetTitle(), "New Game");
        RecordingDC dc; // the welcome screen, and Return judges nothing
        m_view.OnDraw(&dc);
        EXPECT_NE(dc.trace.find("\"Welcome, press the left mouse button to continue.\""), std::string::npos);
        m_view.OnChar('\r');
        EXPECT_EQ(m_doc.m_stats.m_nRight + m_doc.m_stats.m_nWrong, 0u);
    }
}

TEST_F(HostileListsTest, NulBytesAreOrdinaryCharactersOfAForm)
{
    m_dir.Write(kMainVerbList, kHeader + std::string("bas1\nwe\0nt\ngo\ngone\n", 19));
    StartLesson(m_doc, 1); // infinitive to past tense
    ASSERT_EQ(m_doc.m_pool.size(), 1u);
    EXPECT_EQ(m_doc.m_pool[0].GetExpected(), std::string("we\0nt", 5));
    m_doc.m_bCorrecting = false;
    m_doc.m_strTyped.assign("we\0nt", 5); // a NUL is not typed, but one in the answer counts
    m_view.OnChar('\r');
    EXPECT_EQ(m_doc.m_stats.m_nRight, 1u) << "a NUL in the answer answers a NUL in the list";
}

TEST_F(HostileListsTest, BinaryNoiseGivesOnlySoundQuestions)
{
    const char* pszSeed = std::getenv("TALDRIN_TEST_SEED"); // replays a failure
    const unsigned nSeed = pszSeed ? std::strtoul(pszSeed, nullptr, 10) : std::random_device()();
    SCOPED_TRACE("TALDRIN_TEST_SEED=" + std::to_string(nSeed));
    std::mt19937 random(nSeed);
    std::size_t nLessons = 0;
    for (int nRound = 0; nRound < 300 && !HasFailure(); ++nRound)
    {
        // From long lines, which stop the reading early, to short lines that make many
        // records; every other list starts with a proper header.
        std::string strList = nRound % 2 ? kHeader : std::string();
        for (std::size_t i = random() % 4000; i > 0; --i)
            strList += random() % (2 + nRound % 30) == 0 ? '\n' : static_cast<char>(random());
        m_dir.Write(kMainVerbList, strList);
        StartLesson(m_doc);
        for (const Question& q : m_doc.m_pool)
            ASSERT_TRUE(!q.m_strPrompt.empty() && q.m_strPrompt[0] != '/' && !q.m_strExpected.empty() &&
                        q.m_strPrompt.size() <= kMaxLineLength && q.m_strExpected.size() <= kMaxLineLength &&
                        q.m_nAskedForm >= Infinitive && q.m_nAskedForm <= PastParticiple)
                << "round " << nRound << ": " << q.GetPrompt() << " > " << q.GetExpected();
        nLessons += !m_doc.m_pool.empty();
    }
    EXPECT_GT(nLessons, 10u) << "the noise made records too, not only rejected lists";
}

TEST_F(HostileListsTest, HundredMegabyteLineEndsTheReadingAtOnce)
{
    {
        std::ofstream out(kMainVerbList, std::ios::binary);
        out << kHeader << "bas1\nwent\ngo\ngone\n";
        for (int i = 0; i < 100; ++i)
            out << std::string(1 << 20, 'x');
        out << "\ndop\nlearnt\nlearn\nlearnt\n";
        ASSERT_TRUE(out.good());
    }
    std::string strKey;
    std::uint64_t nReadBefore = 0, nReadAfter = 0; // rchar, the first line of /proc/self/io
    std::ifstream("/proc/self/io") >> strKey >> nReadBefore;
    StartLesson(m_doc);
    std::ifstream("/proc/self/io") >> strKey >> nReadAfter;
    ASSERT_EQ(strKey, "rchar:");
    EXPECT_LT(nReadAfter - nReadBefore, 1u << 20) << "bytes read from the 100 MB list";
    EXPECT_EQ(m_doc.m_pool.size(), 6u) << "the record before the line is kept, the one after is not";
    for (const Question& q : m_doc.m_pool)
        EXPECT_EQ(q.GetExpected().find("learn"), std::string::npos);
}

// Only a regular file is opened as a list: a directory cannot be read, a link that leads
// nowhere or only to itself keeps everyone out (chmod 000 only those who are not root), and
// opening a pipe waits for a writer that never comes. At start-up the alternative list is
// taken instead; after start-up the next lesson has nothing to ask. Each lesson runs in a
// child process, so one that waits fails instead of hanging the test.
TEST_F(HostileListsTest, ListThatIsNoReadableFileIsPassedOverWithoutWaiting)
{
    std::vector<std::pair<const char*, void (*)()>> ways = {
        {"missing", [] {}},
        {"directory", [] { std::filesystem::create_directory(kMainVerbList); }},
        {"link to nothing", [] { std::filesystem::create_symlink("nowhere.ver", kMainVerbList); }},
        {"link loop", [] { std::filesystem::create_symlink(kMainVerbList, kMainVerbList); }},
        {"pipe", [] { ASSERT_EQ(::mkfifo(kMainVerbList, 0644), 0); }}};
    if (::geteuid() != 0)
        ways.emplace_back("mode 000", [] {
            std::ofstream(kMainVerbList) << kWorked;
            std::filesystem::permissions(kMainVerbList, std::filesystem::perms::none);
        });
    const char* const shown[] = {"alternative 1, questions 8",                 // at start-up
                                 "alternative 1, questions 0, title New Game", // alternative a directory
                                 "alternative 0, questions 0, title New Game"}; // after start-up
    for (const auto& [pszWay, fnMake] : ways)
        for (int nWhen = 0; nWhen < 3; ++nWhen)
        {
            SCOPED_TRACE(std::string(pszWay) + ": " + shown[nWhen]);
            TempDir dir;
            dir.Enter();
            MemorySettingsStore profile;
            CVespinDoc doc(profile);
            if (nWhen == 2)
            {
                dir.Write(kMainVerbList, kWorked);
                StartLesson(doc);
                ASSERT_EQ(doc.m_pool.size(), 8u);
                std::filesystem::remove(kMainVerbList);
            }
            fnMake();
            if (nWhen == 0)
                dir.Write(kAlternativeVerbList, kWorked);
            else
                std::filesystem::create_directory(kAlternativeVerbList);
            EXPECT_EXIT(StartInChild(doc), ::testing::ExitedWithCode(0), shown[nWhen]);
        }
}
