// The lesson document: lessons played from a script against a golden transcript.
#include "lesson/VespinDoc.h"
#include "lesson/LessonHistory.h"
#include "lesson/VerdictObserver.h"

#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingDC.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

static const std::string kData = TALDRIN_SOURCE_DIR "/tests/data/";

// Steps: N a lesson, "N<directions>/<groups>"; O options 1500.9 and 300.2 ms, correcting
// off; P options -5 and 1e20 ms; =text an answer, "_" a blank; C the end of the verdict;
// G give up; M the main list appears; Q the list in use becomes a pipe; F the store fails;
// X close, with what it wrote on standard error. The
// document is written out after each. A pipe is never waited for: the first lesson takes
// the alternative, the last has nothing to ask. TALDRIN_WRITE_GOLDEN=1 rewrites the golden.
TEST(CVespinDoc, ScriptedLessonsFollowTheGoldenTranscript)
{
    TempDir dir;
    dir.Enter();
    dir.Write("irrtes.ver", TempDir::Read(kData + "lesson.ver") + "lit\nr\\^ode\nr\\^ide\nr\\^idden\n");
    ASSERT_TRUE(TempDir::MakeNonRegular("irregu.ver"));
    MemorySettingsStore profile;
    profile.values = {{"morphane/hase", 5}, {"morphane/right", 700}};
    CVespinDoc doc(profile);
    unsigned n = 1; // the same walk with every C library
    doc.m_fnRand = [&n] { return static_cast<int>((n = n * 1103515245u + 12345u) >> 16 & 0x7FFF); };
    std::ostringstream log;
    std::istringstream script("N5/ =r\\^ode C =took C =went C =saw C =r\xF4" "de C =r\xF4" "de C "
                              "N0/ O =wrong__ =R\xF4" "de =__saw__ =r\xF4" "de =learned =r\xF4" "de =took =saw =went "
                              "M N14/ =wrong G N0/ =saw Q N0/ P F X");
    for (std::string strStep; script >> strStep;)
    {
        std::string strTyped = strStep[0] == '=' ? strStep.substr(1) : "";
        std::replace(strTyped.begin(), strTyped.end(), '_', ' ');
        bool bGoesOn = true;
        if (strStep[0] == 'N')
        {
            ASSERT_TRUE(doc.OnNewDocument());
            doc.SetDirections(Flags<DirectionSet>(strStep.substr(1, strStep.find('/') - 1)));
            doc.SetGroups(Flags<GroupSet>(strStep.substr(strStep.find('/') + 1)));
            doc.LoadQuestions();
        }
        else if (strStep == "O" || strStep == "P")
            doc.SetOptions(strStep == "O" ? 1500.9f : -5.0f, strStep == "O" ? 300.2f : 1e20f, false);
        else if (strStep == "C")
            bGoesOn = doc.ContinueAfterVerdict();
        else if (strStep == "G")
            doc.GiveUp();
        else if (strStep == "X")
        {
            testing::internal::CaptureStderr();
            doc.OnCloseDocument();
            log << "stderr " << Quoted(testing::internal::GetCapturedStderr()) << "\n";
        }
        else if (strStep == "F")
            profile.strFailure = "No space left on device";
        else if (strStep == "M" && std::filesystem::remove("irregu.ver"))
            dir.Write("irregu.ver", TempDir::Read(kData + "worked.ver"));
        else if (strStep == "Q" && std::filesystem::remove("irrtes.ver"))
            TempDir::MakeNonRegular("irrtes.ver");
        else
        {
            doc.m_strTyped = strTyped;
            doc.m_nCaret = static_cast<std::int32_t>(strTyped.size());
            bGoesOn = doc.CheckAnswer();
        }
        log << (strStep[0] == '=' ? "answer " + Quoted(strTyped) : strStep) << " -> " << bGoesOn
            << " | title " << Quoted(doc.GetTitle()) << " | current " << doc.m_nCurrent << " "
            << Quoted(doc.GetPrompt()) << " asks " << doc.GetAskedFormName() << "\n  typed " << Quoted(doc.m_strTyped)
            << " at " << doc.m_nCaret << " | result " << doc.m_nLastResult << ", verdict time " << doc.GetVerdictTime()
            << ", showing " << doc.m_bShowingCorrection << ", finished " << doc.m_bFinished << "\n  verdict "
            << QuotedCharacters(doc.m_strVerdict) << "\n  " << doc.GetRemainingText() << "\n  " << Quoted(doc.m_stats.GetReportText())
            << "\n";
    }
    for (const std::string& strCall : profile.log)
        log << strCall << "\n";
    if (std::getenv("TALDRIN_WRITE_GOLDEN"))
        std::ofstream(kData + "lesson.golden", std::ios::binary) << log.str();
    EXPECT_EQ(log.str(), TempDir::Read(kData + "lesson.golden"));
}

// The observer hears each verdict with its question and the text as typed, and each end;
// a lesson of chosen questions keeps their order in the pool, asks the first of them first,
// leaves out the unknown, and tells apart questions of one Infinitive by what they ask.
TEST(CVespinDoc, VerdictsReachTheObserverAndChosenQuestionsKeepTheirOrder)
{
    struct Recorder : VerdictObserver
    {
        std::string strLog;
        void OnLessonStart(const std::string& strList, bool bPractice) override { strLog += "start " + std::filesystem::path(strList).filename().string() + (bPractice ? " practice;" : ";"); }
        void OnVerdict(const Question& question, const std::string& strTyped, bool bRight) override
        {
            strLog += question.m_strVerb + " " + std::to_string(question.m_nDirection) + " '" + strTyped + "' " + (bRight ? "right;" : "wrong;");
        }
        void OnLessonEnd() override { strLog += "end;"; }
    } recorder;
    TempDir dir;
    dir.Enter();
    dir.Write("irregu.ver", TempDir::Read(kData + "lesson.ver") + "x1\nhung\nhang\nhung\nx1\nhanged\nhang\nhanged\n");
    MemorySettingsStore profile;
    CVespinDoc doc(profile);
    doc.SetVerdictObserver(&recorder);
    doc.m_fnRand = [] { return 1; }; // two steps on: never back to the first
    doc.OnNewDocument();
    const std::string strTitle = doc.GetTitle();
    EXPECT_FALSE(doc.LoadChosenQuestions({{"fly", 0}, {"go", 6}}));
    EXPECT_TRUE(doc.m_pool.empty() && doc.GetTitle() == strTitle && recorder.strLog.empty());
    const auto prompts = [&doc] {
        std::string strPrompts;
        for (const Question& question : doc.m_pool)
            strPrompts += question.m_strPrompt + " ";
        return strPrompts + "| " + doc.GetTitle();
    };
    ASSERT_TRUE(doc.LoadChosenQuestions({{"hang", 2, "hanged", "hang"}, {"hang", 2, "hung", "hang"}, {"hang", 2, "", "hang"},
                                         {"hang", 3, "", "hanged"}, {"hang", 3, "", "hung"}, {"see", 0}}));
    EXPECT_EQ(prompts(), "hanged hung hanged hung see | hanged");
    recorder.strLog.clear();
    ASSERT_TRUE(doc.LoadChosenQuestions({{"take", 4}, {"fly", 0}, {"go", 0}, {"see", 0}}));
    EXPECT_EQ(prompts(), "taken go see | taken");
    doc.m_bCorrecting = false;
    for (const char* pszTyped : {"xyz", "saw", "take", "take", "went  "})
    {
        doc.m_strTyped = pszTyped;
        doc.CheckAnswer();
    }
    doc.OnCloseDocument();
    EXPECT_EQ(recorder.strLog, "end;start irregu.ver practice;take 4 'xyz' wrong;see 0 'saw' right;take 4 'take' right;take 4 'take' right;go 0 'went  ' right;end;end;");
}

#ifndef _WIN32 // a FIFO
// A chosen list that is no longer a file a lesson can read gives way to the standard list
// at the next lesson, and says so; one that is there stays. Every change of the list in
// use is told. Rows: what becomes of the chosen list, and whether the document falls back.
TEST(CVespinDoc, AChosenListGoneGivesWayToTheStandardListAndEveryChangeIsTold)
{
    const std::pair<const char*, bool> rows[] = {{"kept", false}, {"gone", true}, {"folder", true}, {"pipe", true}};
    for (const auto& [pszFate, bFallsBack] : rows)
    {
        TempDir dir;
        dir.Enter();
        dir.Write("irregu.ver", TempDir::Read(kData + "lesson.ver"));
        const std::string strChosen = dir.Write("mine/irrtes.ver", TempDir::Read(kData + "lesson.ver")).string();
        MemorySettingsStore profile;
        CVespinDoc doc(profile);
        std::string strLog;
        doc.m_fnListChanged = [&] { strLog += "list " + std::filesystem::path(doc.GetListInUse()).filename().string() + ";"; };
        doc.m_fnChosenListGone = [&](const std::string& strPath, bool bStandard) {
            strLog += "gone " + std::string(strPath == strChosen ? "chosen" : strPath) + (bStandard ? " standard;" : ";");
        };
        doc.OnNewDocument();
        doc.UseVerbList(*LocateChosenList(strChosen));
        std::filesystem::remove(strChosen);
        if (pszFate == std::string("kept"))
            dir.Write("mine/irrtes.ver", "#\n");
        else if (pszFate == std::string("folder"))
            std::filesystem::create_directory(strChosen);
        else if (pszFate == std::string("pipe"))
        {
            ASSERT_EQ(::mkfifo(strChosen.c_str(), 0600), 0);
        }
        EXPECT_EQ(doc.FallBackFromGoneList(), bFallsBack) << pszFate;
        EXPECT_EQ(strLog, bFallsBack ? "list irregu.ver;list irrtes.ver;list irregu.ver;gone chosen standard;"
                                     : "list irregu.ver;list irrtes.ver;")
            << pszFate;
        EXPECT_EQ(doc.m_bAlternativeFile, !bFallsBack) << pszFate;
        EXPECT_EQ(doc.m_chosenList.has_value(), !bFallsBack) << pszFate;
    }
    // No standard list left either: the chosen one stays, and that is told.
    TempDir dir;
    dir.Enter();
    MemorySettingsStore profile;
    CVespinDoc doc(profile);
    bool bStandardTold = true;
    doc.m_fnChosenListGone = [&](const std::string&, bool bStandard) { bStandardTold = bStandard; };
    doc.UseVerbList({(dir.Path() / "gone.ver").string(), false});
    EXPECT_FALSE(doc.FallBackFromGoneList());
    EXPECT_FALSE(bStandardTold);
    EXPECT_TRUE(doc.m_chosenList);
}
#endif

// A history that cannot be kept is told once, with the reason, and the lesson goes on.
TEST(LessonHistory, AnswersNotKeptAreToldOnce)
{
    TempDir dir;
    dir.Write("file", "not a folder\n");
    LessonHistory history((dir.Path() / "file" / "history.tsv").string());
    std::vector<std::string> told;
    history.m_fnNotKept = [&](const std::string& strReason) { told.push_back(strReason); };
    history.OnLessonStart("irregu.ver", false);
    Question question;
    question.Set("went", "go", PastTense);
    question.m_strVerb = "go";
    for (int i = 0; i < 3; ++i)
        history.OnVerdict(question, "goed", false);
    history.OnLessonEnd();
    ASSERT_EQ(told.size(), 1u);
#ifndef _WIN32 // Windows words it its own way
    EXPECT_EQ(told[0], "Not a directory");
#endif
    // Once the way is free, answers are kept again, and that is told too.
    std::filesystem::remove(dir.Path() / "file");
    for (int i = 0; i < 2; ++i)
        history.OnVerdict(question, "went", true);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1], "");
}

// The lesson's Latin-1 reaches the file as UTF-8, a spreadsheet's default, and comes back;
// the list is named by its file, a name in Latin-1 escaped.
TEST(LessonHistory, KeepsTheLessonsTextsAsUtf8)
{
    TempDir dir;
    const std::string strPath = (dir.Path() / "history.tsv").string();
    LessonHistory history(strPath);
    history.OnLessonStart("/l/./m/../caf\xE9.ver", false);
    Question question;
    question.Set("r\\^ode", "r\xF4" "de", PastTense);
    question.m_strVerb = "r\xEE" "de";
    question.m_nDirection = 2;
    history.OnVerdict(question, "r\xF4" "d\xE9", false);
    std::string strList;
    ReadHistory(strPath, [&](const HistoryEntry& entry) { strList = entry.m_strList; });
    const std::string strLine = TempDir::Read(strPath);
    EXPECT_EQ(strLine.substr(strLine.find("\tPast Tense")), "\tPast Tense > Infinitive\tr\xC3\xAE" "de\tr\xC3\xB4" "de\tr\\\\^ode\tr\xC3\xB4" "d\xC3\xA9\twrong\n");
#ifndef _WIN32 // Windows resolves the name against its drives, in its own encoding
    EXPECT_EQ(strList, "/l/caf\xE9.ver");
    EXPECT_NE(strLine.find("\t/l/caf\\xE9.ver\t"), std::string::npos) << strLine;
#endif
}
