// The view in another language: texts from the catalog, inside the window and clear of each other.
#include "view/VespinView.h"

#include "lesson/LessonStatistics.h"
#include "lesson/VespinDoc.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/PseudoCatalog.h"
#include "res/CommandIds.h"
#include "support/TempDir.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

namespace
{

// Records where each text, rectangle and picture lands, measured as the recorder measures.
class MeasuringDC : public RecordingDC
{
public:
    struct Drawn
    {
        std::string strText;
        Rect box;
        bool bTitle; // the welcome's big turned words, which overlap by design
    };

    const FontSpec* SelectFont(const FontSpec* pFont) override
    {
        m_pFont = pFont;
        return RecordingDC::SelectFont(pFont);
    }
    void DrawText(const std::string& strText, const Rect& rect, unsigned nFormat) override
    {
        int nWidth = 0, nHeight = 0;
        std::size_t nStart = 0;
        for (std::size_t nEnd = 0; nEnd != std::string::npos; nStart = nEnd + 1)
        {
            nEnd = nFormat & TF_SINGLELINE ? std::string::npos : strText.find('\n', nStart);
            const Size size = GetTextExtent(strText.substr(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart));
            nWidth = std::max(nWidth, size.cx);
            nHeight += size.cy;
        }
        const int x = nFormat & TF_CENTER ? rect.left + (rect.Width() - nWidth) / 2 : rect.left;
        const int y = !(nFormat & TF_SINGLELINE) ? rect.top
                      : nFormat & TF_BOTTOM      ? rect.bottom - nHeight
                      : nFormat & TF_VCENTER     ? rect.top + (rect.Height() - nHeight) / 2
                                                 : rect.top;
        texts.push_back({strText, {x, y, x + nWidth, y + nHeight}, m_pFont && m_pFont->Escapement != 0});
        RecordingDC::DrawText(strText, rect, nFormat);
    }
    void Rectangle(const Rect& rect) override
    {
        shapes.push_back(rect);
        RecordingDC::Rectangle(rect);
    }
    void DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest) override
    {
        pictures.push_back(dest);
        RecordingDC::DrawMaskedPicture(mask, picture, dest);
    }

    std::vector<Drawn> texts;
    std::vector<Rect> shapes;
    std::vector<Rect> pictures;

private:
    const FontSpec* m_pFont = nullptr;
};

// A window that keeps its message boxes' texts as they are.
class MessageWindow : public FakeViewWindow
{
public:
    int MessageBox(const std::string& strText, const std::string& strCaption, unsigned nStyle) override
    {
        messages.push_back(strText);
        return FakeViewWindow::MessageBox(strText, strCaption, nStyle);
    }
    std::vector<std::string> messages;
};

// What remains of an interface text without the words of the lesson quoted in it (in double
// quotes, as the verdicts quote them) and the program's name and address.
std::string WithoutData(std::string strText)
{
    for (const char* pszName : {"www.taldrin.org", "Taldrin", "memory" /* where the settings are */})
        for (std::size_t n; (n = strText.find(pszName)) != std::string::npos;)
            strText.erase(n, std::string(pszName).size());
    for (std::size_t nOpen; (nOpen = strText.find('"')) != std::string::npos;)
        strText.erase(nOpen, strText.find('"', nOpen + 1) - nOpen + 1);
    return strText;
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top && inner.bottom <= outer.bottom;
}

// A lesson on the worked list, its first questions answered as the steps say.
class Lesson
{
public:
    explicit Lesson(Rect client)
    {
        m_dir.Enter();
        m_dir.Write("irregu.ver", TempDir::Read(TALDRIN_SOURCE_DIR "/tests/data/worked.ver"));
        m_doc.m_fnSeed = [] { return 1u; };
        m_doc.m_fnRand = [] { return 1; };
        m_doc.OnNewDocument();
        m_window.client = client;
    }
    void Start()
    {
        for (const char* pszChoice : {"1000", "1001 1003"})
            m_window.dialogScripts.push_back([pszChoice](CDialog& dialog, FakeViewWindow& controls) {
                std::istringstream tokens(pszChoice);
                for (std::string t; tokens >> t;)
                    controls.SetText(std::stoi(t), "1");
                dialog.OnOK();
            });
        m_view.OnLButtonDown(5, 5);
    }
    void Answer(const std::string& strTyped)
    {
        for (const char c : strTyped)
            m_view.OnChar(static_cast<unsigned char>(c));
        m_view.OnChar('\r');
    }
    void AnswerRight() { Answer(Expected()); }
    std::string Expected() const { return m_doc.m_pool[m_doc.m_nCurrent].m_strExpected; }

    TempDir m_dir;
    MemorySettingsStore m_profile;
    CVespinDoc m_doc{m_profile};
    MessageWindow m_window;
    CVespinView m_view{m_doc, m_window};
};

struct Screen
{
    const char* pszName;
    std::function<void(Lesson&)> fnReach;
};

const std::vector<Screen> kScreens = {
    {"welcome", [](Lesson&) {}},
    {"first question", [](Lesson& l) { l.Start(); }},
    {"a wrong verdict", [](Lesson& l) { l.Start(), l.Answer("goed"); }},
    {"a right verdict", [](Lesson& l) { l.Start(), l.AnswerRight(); }},
    {"the next question", [](Lesson& l) { l.Start(), l.Answer("x"), l.m_view.OnTimer(TIMER_VERDICT), l.AnswerRight(), l.m_view.OnTimer(TIMER_VERDICT); }},
    {"one answer given", [](Lesson& l) { l.Start(), l.AnswerRight(), l.m_doc.GiveUp(); }},
    {"the lesson done", [](Lesson& l) {
         l.Start();
         l.Answer("x"), l.m_view.OnTimer(TIMER_VERDICT);
         for (int i = 0; i < 100 && !l.m_doc.m_bFinished; ++i)
             l.AnswerRight(), l.m_view.OnTimer(TIMER_VERDICT);
     }},
    {"nothing answered", [](Lesson& l) { l.Start(), l.m_doc.GiveUp(); }},
};

} // namespace

TEST(TranslatedView, EveryDrawnTextIsTranslatedInsideTheWindowAndClearOfTheOthers)
{
    const PseudoLanguage pseudo;
    for (const Rect client : {Rect{0, 0, 600, 400}, Rect{0, 0, 692, 266}, Rect{0, 0, 480, 300}})
        for (const Screen& screen : kScreens)
        {
            SCOPED_TRACE(std::string(screen.pszName) + " in " + Str(client));
            Lesson lesson(client);
            screen.fnReach(lesson);
            MeasuringDC dc;
            lesson.m_view.OnDraw(&dc);
            ASSERT_FALSE(dc.texts.empty());
            // Verbs are no interface text: the prompt and the answer as typed.
            const std::string strPrompt = Latin1ToUtf8(ConvertAccents(lesson.m_doc.GetPrompt()));
            const std::string strTyped = Latin1ToUtf8(ConvertAccents(lesson.m_doc.m_strTyped));
            for (std::size_t i = 0; i < dc.texts.size(); ++i)
            {
                const MeasuringDC::Drawn& text = dc.texts[i];
                const bool bVerb = !text.strText.empty() && (text.strText == strPrompt || text.strText == strTyped);
                EXPECT_TRUE(bVerb || WithoutData(text.strText).find_first_of("aeiouAEIOU") == std::string::npos)
                    << "English left in " << Quoted(text.strText);
                EXPECT_TRUE(Inside(text.box, client)) << Quoted(text.strText) << " at " << Str(text.box);
                for (std::size_t j = i + 1; j < dc.texts.size(); ++j)
                    EXPECT_TRUE(text.bTitle || dc.texts[j].bTitle || !text.box.Intersects(dc.texts[j].box))
                        << Quoted(text.strText) << " at " << Str(text.box) << " over " << Quoted(dc.texts[j].strText) << " at " << Str(dc.texts[j].box);
                for (const Rect& picture : dc.pictures)
                    EXPECT_FALSE(text.box.Intersects(picture)) << Quoted(text.strText) << " at " << Str(text.box) << " over the picture";
                // The score bar's shares lie over its own two bars.
                const bool bScore = text.box.left >= client.right - 50;
                for (const Rect& shape : dc.shapes)
                    EXPECT_TRUE(bScore || !text.box.Intersects(shape) || Inside(text.box, shape))
                        << Quoted(text.strText) << " at " << Str(text.box) << " across " << Str(shape);
            }
        }
}

// The view's own message boxes, asked in the pseudo language.
TEST(TranslatedView, MessagesComeFromTheCatalog)
{
    const PseudoLanguage pseudo;
    Lesson lesson({0, 0, 600, 400});
    lesson.Start();
    lesson.m_profile.strFailure = "\"Permission denied\"";
    lesson.m_window.tracing = true;
    lesson.m_window.answers = {RESULT_NO};
    lesson.m_view.OnGiveUp();
    lesson.m_window.dialogScripts.push_back([](CDialog& dialog, FakeViewWindow&) { dialog.OnOK(); });
    lesson.m_view.OnLessonView();
    for (const std::string& strMessage : lesson.m_window.messages)
        EXPECT_EQ(WithoutData(strMessage).find_first_of("aeiouAEIOU"), std::string::npos) << Quoted(strMessage);
    EXPECT_EQ(lesson.m_window.messages.size(), 2u) << lesson.m_window.trace;
}

// Counted texts take the form the language's rule asks for (the catalog's Russian rule).
TEST(TranslatedView, CountedTextsTakeTheFormOfTheirCount)
{
    const std::pair<unsigned long, const char*> kRows[] = {
        {0, "many"}, {1, "one"}, {2, "few"}, {5, "many"}, {11, "many"}, {12, "many"}, {21, "one"}, {22, "few"}, {111, "many"},
    };
    for (const auto& [n, pszForm] : kRows)
    {
        SCOPED_TRACE(n);
        UseTextCatalog(std::make_unique<CountingCatalog>(RussianForm));
        const std::string strCount = "|" + std::string(pszForm) + " " + std::to_string(n);
        MemorySettingsStore profile;
        CVespinDoc doc(profile);
        doc.m_pool.resize(n);
        EXPECT_EQ(doc.GetRemainingText(), "There are st" + strCount);
        LessonStatistics stats;
        stats.m_nRight = stats.m_nWrong = std::uint32_t(n);
        const std::string strReport = stats.GetReportText();
        if (n > 0)
        {
            static const char* const kForms[] = {"one", "few", "many"};
            const std::string strTotal = "|" + std::string(kForms[RussianForm(2 * n)]) + " " + std::to_string(2 * n);
            EXPECT_EQ(strReport.rfind("You have ans" + strTotal, 0), 0u) << strReport;
            EXPECT_NE(strReport.find("You have ans" + strCount + "\n"), std::string::npos) << strReport;
            EXPECT_NE(strReport.find("You had a mi" + strCount + "\n"), std::string::npos) << strReport;
        }
        UseTextCatalog(nullptr);
    }
}
