// The view drawn through CairoDC into an offscreen cairo image of 692 x 266, as the
// window paints: full repaints of the three screens, the answer box after a keystroke,
// and a caret blink drawn on a device context taken between repaints.
#include "framework/wx/CairoDC.h"
#include "framework/wx/Pictures.h"
#include "lesson/VespinDoc.h"
#include "res/CommandIds.h"
#include "support/MemorySettingsStore.h"
#include "view/VespinView.h"

#include <benchmark/benchmark.h>

#include <cairo.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace
{

constexpr int kWidth = 692;
constexpr int kHeight = 266;

// A device context with a cairo context of its own on the image, as the window's
// GetDC gives one for drawing between repaints.
struct OwnCairo
{
    explicit OwnCairo(cairo_surface_t* pSurface) : m_pOwnCairo(cairo_create(pSurface)) {}
    ~OwnCairo() { cairo_destroy(m_pOwnCairo); }
    cairo_t* m_pOwnCairo;
};

class ImageDC : private OwnCairo, public CairoDC
{
public:
    explicit ImageDC(cairo_surface_t* pSurface)
        : OwnCairo(pSurface), CairoDC(m_pOwnCairo, LoadPicture)
    {
    }
};

// The view's window: an image surface in place of the screen; invalidations are kept
// for the next repaint, timers and dialogs do nothing.
class ImageWindow : public ViewWindow
{
public:
    ImageWindow() : m_pSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight)) {}
    ~ImageWindow() override { cairo_surface_destroy(m_pSurface); }

    Rect GetClientRect() const override { return {0, 0, kWidth, kHeight}; }
    void InvalidateRect(const Rect* pRect, bool) override
    {
        m_invalid = pRect ? *pRect : GetClientRect();
    }
    void SetTimer(unsigned, std::uint32_t) override {}
    void KillTimer(unsigned) override {}
    std::unique_ptr<CDC> GetDC() override { return std::make_unique<ImageDC>(m_pSurface); }
    int MessageBox(const std::string&, const std::string&, unsigned) override { return RESULT_OK; }
    int DoModal(CDialog&) override { return RESULT_CANCEL; }
    void ShowHelp() override {}

    // What the window's paint handler does: a fresh cairo context clipped to the area
    // being repainted, whitened, then the view's drawing.
    void Paint(CVespinView& view, const Rect& area)
    {
        cairo_t* pCairo = cairo_create(m_pSurface);
        cairo_rectangle(pCairo, area.left, area.top, area.Width(), area.Height());
        cairo_clip(pCairo);
        cairo_save(pCairo);
        cairo_set_source_rgb(pCairo, 1.0, 1.0, 1.0);
        cairo_paint(pCairo);
        {
            CairoDC dc(pCairo, LoadPicture);
            view.OnDraw(&dc);
        }
        cairo_restore(pCairo);
        cairo_destroy(pCairo);
    }

    void SavePng(const std::string& strPath) const
    {
        cairo_surface_write_to_png(m_pSurface, strPath.c_str());
    }

    // Paints what was invalidated since the last paint, if anything.
    void PaintInvalid(CVespinView& view)
    {
        if (m_invalid)
            Paint(view, *m_invalid);
        m_invalid.reset();
    }

private:
    cairo_surface_t* m_pSurface;
    std::optional<Rect> m_invalid;
};

enum class Screen
{
    Welcome,
    Question,
    Congratulations
};

// A document and view showing one screen. The question screen shows a wrong answer's
// verdict, struck out, with the sad rabbit and the score bar.
struct Scene
{
    explicit Scene(Screen screen)
    {
        doc.m_fnSeed = [] { return 1u; };
        doc.OnNewDocument();
        if (screen == Screen::Welcome)
            return;
        for (int i = 0; i < 40; ++i)
        {
            Question question;
            question.Set(i % 2 ? "understood" : "/learnt /learned", i % 2 ? "understand" : "learn",
                         PastTense);
            doc.m_pool.push_back(question);
        }
        doc.ChooseNextQuestion();
        doc.m_stats.m_nRight = 7;
        doc.m_stats.m_nWrong = 3;
        if (screen == Screen::Congratulations)
        {
            doc.GiveUp();
            return;
        }
        doc.m_strTyped = "understanded";
        doc.m_nCaret = 12;
        doc.CheckAnswer();
    }

    MemorySettingsStore profile;
    CVespinDoc doc{profile};
    ImageWindow window;
    CVespinView view{doc, window};
};

void BM_FullRepaint(benchmark::State& state, Screen screen)
{
    Scene scene(screen);
    for (auto _ : state)
        scene.window.Paint(scene.view, scene.window.GetClientRect());
}
BENCHMARK_CAPTURE(BM_FullRepaint, welcome, Screen::Welcome)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullRepaint, question_with_verdict, Screen::Question)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullRepaint, congratulations, Screen::Congratulations)
    ->Unit(benchmark::kMicrosecond);

// A question being typed: "underst", then one key, then the repaint of the answer box
// it invalidated. Keys alternate between a letter and Backspace, so the answer stays
// seven or eight characters long.
void BM_KeystrokeAndAnswerRepaint(benchmark::State& state)
{
    Scene scene(Screen::Question);
    scene.doc.ContinueAfterVerdict();
    scene.doc.m_strTyped = "underst";
    scene.doc.m_nCaret = 7;
    scene.window.Paint(scene.view, scene.window.GetClientRect());
    bool bLetter = true;
    for (auto _ : state)
    {
        scene.view.OnChar(bLetter ? 'o' : '\b');
        scene.window.PaintInvalid(scene.view);
        bLetter = !bLetter;
    }
}
BENCHMARK(BM_KeystrokeAndAnswerRepaint)->Unit(benchmark::kMicrosecond);

// One tick of the caret timer: a device context on the window, the caret measured and
// drawn black or white.
void BM_CaretBlinkTick(benchmark::State& state)
{
    Scene scene(Screen::Question);
    scene.doc.ContinueAfterVerdict();
    scene.doc.m_strTyped = "underst";
    scene.doc.m_nCaret = 7;
    scene.window.Paint(scene.view, scene.window.GetClientRect());
    for (auto _ : state)
        scene.view.OnTimer(TIMER_CARET_BLINK);
}
BENCHMARK(BM_CaretBlinkTick)->Unit(benchmark::kMicrosecond);

// With --save-png=DIR, writes each screen as drawn here to DIR and does nothing else:
// a way to see that the benchmarks draw what the window shows.
bool SaveScreens(int argc, char** argv)
{
    const std::string strFlag = "--save-png=";
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArg = argv[i];
        if (strArg.rfind(strFlag, 0) != 0)
            continue;
        const std::string strDir = strArg.substr(strFlag.size());
        const std::pair<Screen, const char*> screens[] = {
            {Screen::Welcome, "welcome"},
            {Screen::Question, "question"},
            {Screen::Congratulations, "congratulations"}};
        for (const auto& [screen, pszName] : screens)
        {
            Scene scene(screen);
            scene.window.Paint(scene.view, scene.window.GetClientRect());
            scene.window.SavePng(strDir + "/" + pszName + ".png");
        }
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (SaveScreens(argc, argv))
        return 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
