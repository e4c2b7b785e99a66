// The view, its dialogs and the document base playing tests/data/view.trace: after each step, what
// the view drew and asked of its window, the titles announced, and ("=") what changed in the document.
#include "view/VespinView.h"

#include "lesson/LessonHistory.h"
#include "lesson/VespinDoc.h"
#include "view/ProgressView.h"
#include "support/FakeViewWindow.h"
#include "support/LittleMemory.h"
#include "support/MemorySettingsStore.h"
#include "support/Transcripts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace
{

class Player
{
public:
    Player()
    {
        m_dir.Enter();
        m_dir.Write("irregu.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"));
        m_dir.Write("irrtes.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/lesson.ver"));
        m_doc.m_fnSeed = [] { return 1u; };
        m_doc.m_fnRand = [] { return 1; };
        m_doc.SetTitleObserver([this](const std::string& strTitle) { m_window.trace += "title " + Quoted(strTitle) + "\n"; });
        m_doc.OnNewDocument();
        m_window.tracing = true;
    }

    Verbs Play(std::string& strOut)
    {
        CVespinDoc& d = m_doc;
        return {
            {"", [&](const Step&) { // what the window was asked, and the document's state where it changed
                 std::string strFlags, strStored, strChanges;
                 for (std::size_t k = 0; k < 12; ++k)
                     strFlags += std::string(k == 6 ? " groups " : "") + "01"[k < 6 ? d.m_directions.Get(k) : d.m_groups.Get(k - 6)];
                 for (const auto& [strKey, nValue] : m_profile.values)
                     strStored += strKey + "=" + std::to_string(nValue) + ",";
                 const std::vector<std::string> state = {Format("pool %lld", d.m_pool.size()), "typed " + Quoted(d.m_strTyped), Format("caret %lld", d.m_nCaret),
                     Format("verdict %lld", d.m_bShowingCorrection), Format("last %lld", d.m_nLastResult), Format("finished %lld", d.m_bFinished),
                     Format("answers %lld/%lld", d.m_stats.m_nRight, d.m_stats.m_nWrong), Format("caret-on %lld", d.m_bCaretOn), Format("rabbit %lld", d.m_bRabbit),
                     Format("correcting %lld", d.m_bCorrecting), Format("times %lld/%lld", d.m_nRightTime, d.m_nWrongTime), "directions " + strFlags,
                     "stored " + strStored + Format("flushed %lld", std::count(m_profile.log.begin(), m_profile.log.end(), "flush"))};
                 for (std::size_t i = 0; i < state.size(); ++i)
                     strChanges += m_state.size() == state.size() && m_state[i] == state[i] ? "" : " " + state[i];
                 strOut += std::exchange(m_window.trace, "") + (strChanges.empty() ? "" : "=" + strChanges + "\n");
                 m_state = state;
             }},
            {"click", [&](const Step& s) { m_view.OnLButtonDown(int(s.n[0]), int(s.n[1])); }},
            {"type", [&](const Step& s) { std::for_each(s.text.begin(), s.text.end(), [this](char c) { m_view.OnChar(static_cast<unsigned char>(c)); }); }},
            {"char", [&](const Step& s) { m_view.OnChar(unsigned(s.n[0])); }},
            {"key", [&](const Step& s) { m_view.OnKeyDown(unsigned(s.n[0])); }},
            {"tick", [&](const Step& s) { m_view.OnTimer(unsigned(s.n[0])); }},
            {"giveup", [&](const Step&) { m_view.OnGiveUp(); }},
            {"statistics", [&](const Step&) { m_view.OnStatistics(); }},
            {"options", [&](const Step&) { m_view.OnLessonView(); }},
            {"new", [&](const Step&) { d.OnNewDocument(); }},
            {"open", [&](const Step& s) { m_window.trace += Format("opened %lld\n", d.OnOpenDocument(s.text)); }},
            {"save", [&](const Step& s) { const bool bSaved = d.OnSaveDocument(s.text); std::error_code e; m_window.trace += Format("saved %lld, size %lld\n", bSaved, std::filesystem::file_size(s.text, e)); }},
            {"answer", [&](const Step& s) { m_window.answers.push_back(int(s.n[0])); }},
            {"dialog", [&](const Step& s) { m_window.dialogScripts.push_back([strTokens = s.text](CDialog& dialog, FakeViewWindow& controls) {
                 std::istringstream tokens(strTokens);
                 for (std::string t; tokens >> t;)
                 {
                     std::replace(t.begin(), t.end(), '_', ' ');
                     t == "ok" ? dialog.OnOK() : t == "esc" ? dialog.OnCancel() : controls.SetText(std::stoi(t), t.substr(t.find('=') + 1));
                 }
             }); }},
            {"draw", [&](const Step& s) {
                 RecordingDC dc(&m_window.trace, "  ");
                 dc.visible = s.count ? s.rect() : dc.visible;
                 m_view.OnDraw(&dc);
             }},
            {"client", [&](const Step& s) { m_window.client = s.rect(); }},
            {"alternative", [&](const Step& s) { d.m_bAlternativeFile = s.n[0], d.m_strVerbListPath = s.n[0] ? "irrtes.ver" : "irregu.ver"; }},
            {"last", [&](const Step& s) { d.m_nLastResult = std::int32_t(s.n[0]); }},
            {"score", [&](const Step& s) { d.m_stats.m_nRight = std::uint32_t(s.n[0]), d.m_stats.m_nWrong = std::uint32_t(s.n[1]); }},
            {"failing", [&](const Step& s) { m_profile.strFailure = s.text; }},
            {"times", [&](const Step& s) { d.m_nRightTime = std::uint32_t(s.n[0]), d.m_nWrongTime = std::uint32_t(s.n[1]); }},
            // N (1) answers for the progress: time;lesson;list;direction;verb;expected;typed;right|wrong
            {"answered", [&](const Step& s) {
                 std::vector<std::string> f;
                 std::istringstream fields(s.text);
                 for (std::string strField; std::getline(fields, strField, ';');)
                     f.push_back(strField);
                 f.resize(8);
                 for (long long i = 0; i < (s.count ? s.n[0] : 1); ++i)
                     m_summary.Add({f[0], f[1], f[2], f[3], f[4], "", f[5], f[6], f[7] == "right"});
             }},
            {"progress", [&](const Step&) { // drawn in the window's client area, then the height it asks for
                 FakeViewWindow window;
                 window.client = m_window.client;
                 CProgressView progress(m_summary.GetProgress(), window);
                 RecordingDC dc(&m_window.trace, "  ");
                 progress.OnDraw(&dc);
                 RecordingDC measuring;
                 m_window.trace += Format("height %lld\n", progress.GetHeight(&measuring, window.client.Width()));
             }},
            {"practise", [&](const Step&) { m_view.SetHistory(&m_history); m_view.OnPractiseMistakes(); }},
        };
    }

private:
    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    FakeViewWindow m_window;
    CVespinView m_view{m_doc, m_window};
    std::vector<std::string> m_state;
    HistorySummary m_summary{"/l/irregu.ver"};
    LessonHistory m_history{"history.tsv"};
};

} // namespace

TEST(VespinView, TranscriptsPlayAsRecorded)
{
    std::unique_ptr<Player> pPlayer;
    CheckTranscripts(TALDRIN_SOURCE_DIR "/tests/data/view.trace", [&pPlayer](std::string& strOut) {
        pPlayer.reset(); // leaves its working folder first
        return (pPlayer = std::make_unique<Player>())->Play(strOut);
    });
}

// A list too big for the memory, in a child process: the lesson starts with the questions that
// fitted and says how many verbs and questions they are.
TEST(VespinView, TellsWhenTheListWasCutShortByMemory)
{
    if (const char* pszWhy = WhyNoMemoryLimit())
        GTEST_SKIP() << pszWhy;
    TempDir dir;
    dir.Enter();
    std::string strList = "#\ntitle\n#\n#\n";
    while (strList.size() < (4 << 20))
        strList += "bas1\nwent\ngo\ngone\n";
    dir.Write("irregu.ver", strList);
    EXPECT_EXIT(
        {
            MemorySettingsStore profile;
            CVespinDoc doc(profile);
            doc.OnNewDocument();
            FakeViewWindow window;
            CVespinView view(doc, window);
            for (const char* pszChoice : {"1000 1001 1002 1003 1004 1005", "1001"})
                window.dialogScripts.push_back([pszChoice](CDialog& dialog, FakeViewWindow& controls) {
                    std::istringstream tokens(pszChoice);
                    for (std::string t; tokens >> t;)
                        controls.SetText(std::stoi(t), "1");
                    dialog.OnOK();
                });
            window.tracing = true;
            LeaveLittleMemory();
            view.OnLButtonDown(5, 5);
            const std::string strExpected = "message " + Quoted(doc.GetCutShortText()) + " caption \"Taldrin\" style 0x30";
            std::exit(doc.m_pool.size() > 100000 && window.trace.find(strExpected) != std::string::npos &&
                      doc.GetCutShortText().find(" " + std::to_string(doc.m_pool.size()) + " ") != std::string::npos &&
                      doc.GetCutShortText().find(" " + std::to_string((doc.m_pool.size() + 5) / 6) + " of its verbs") != std::string::npos ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Under the totals, with review: the boxes bar split by share, each part in its box's colour,
// a label per box, and a bar per day ahead as tall as its share of the busiest day.
TEST(ProgressView, DrawsTheBoxesAndTheDaysAhead)
{
    ReviewOverview review;
    review.m_boxes = {6, 2, 0, 1, 0, 1};
    review.m_dueByDay = {3, 0, 1, 0, 0, 0, 0};
    review.m_nToday = HistoryTimeSeconds("2026-12-07T00:00:00Z");
    FakeViewWindow window;
    window.client = {0, 0, 744, 2000};
    CProgressView plain(HistoryProgress(), window), progress(HistoryProgress(), window, review);
    RecordingDC measuring;
    EXPECT_GT(progress.GetHeight(&measuring, 744), plain.GetHeight(&measuring, 744) + 150);
    RecordingDC dc;
    progress.OnDraw(&dc);
    std::istringstream lines(dc.trace);
    std::string strBoxes, strDays;
    for (std::string strLine; std::getline(lines, strLine);)
    {
        int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
        if (std::sscanf(strLine.c_str(), "rectangle %d,%d,%d,%d", &nLeft, &nTop, &nRight, &nBottom) != 4 || nRight - nLeft <= 10)
            continue;
        const std::string strBrush = strLine.substr(strLine.rfind(' ') + 1);
        if (nBottom - nTop == 24)
            strBoxes += std::to_string(nRight - nLeft) + ":" + strBrush + " ";
        else
            strDays += std::to_string(nBottom - nTop) + " ";
    }
    EXPECT_EQ(strBoxes, "432:190/190/190 144:214/69/65 72:232/209/62 72:27/110/56 ");
    EXPECT_EQ(strDays, "60 20 ");
    for (const char* pszText : {"\"new: 6\"", "\"box 5: 1\"", "\"today\"", "\"9 Dec\"", "\"3\""})
        EXPECT_NE(dc.trace.find(pszText), std::string::npos) << pszText;
}
