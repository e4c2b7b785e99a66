// The lesson document: lessons played from a script against a golden transcript.
#include "lesson/VespinDoc.h"

#include "support/LessonChoices.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace
{

const std::string kData = TALDRIN_SOURCE_DIR "/tests/data/";

// In double quotes, with line breaks and bytes beyond ASCII escaped.
std::string Quoted(const std::string& str)
{
    std::string strResult = "\"";
    for (unsigned char c : str)
        strResult += c == '\n' ? std::string("\\n")
                     : c > 126 ? std::string("\\x") + "0123456789ABCDEF"[c >> 4] + "0123456789ABCDEF"[c & 15]
                               : std::string(1, c);
    return strResult + "\"";
}

} // namespace

// Steps: N a lesson, "N<directions>/<groups>"; O options 1500.9 and 300.2 ms, correcting
// off; P options -5 and 1e20 ms; =text an answer, "_" a blank; C the end of the verdict;
// G give up; M the main list appears; Q the list in use becomes a pipe; X close. The
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
                              "M N14/ =wrong G N0/ =saw Q N0/ P X");
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
        else if (strStep == "G" || strStep == "X")
            strStep == "G" ? doc.GiveUp() : doc.OnCloseDocument();
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
            << Quoted(doc.m_strVerdict) << "\n  " << doc.GetRemainingText() << "\n  " << Quoted(doc.m_stats.GetReportText())
            << "\n";
    }
    for (const std::string& strCall : profile.log)
        log << strCall << "\n";
    if (std::getenv("TALDRIN_WRITE_GOLDEN"))
        std::ofstream(kData + "lesson.golden", std::ios::binary) << log.str();
    EXPECT_EQ(log.str(), TempDir::Read(kData + "lesson.golden"));
}
