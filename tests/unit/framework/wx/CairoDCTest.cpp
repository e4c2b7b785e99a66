// CairoDC and LoadPicture, drawn on cairo image surfaces and judged by their pixels.
// Expected text geometry comes from Arial's published metrics (Liberation Sans shares
// them): ascent 1854 and descent 434 per 2048 em, cap height 1409, 'x' advance 1024.
#include "framework/wx/CairoDC.h"
#include "framework/wx/Pictures.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "res/pictures/face_mask.xpm"
#include "res/pictures/happy_face.xpm"
#include "res/pictures/happy_rabbit.xpm"
#include "res/pictures/happy_rabbit_mask.xpm"
#include "res/pictures/sad_face.xpm"
#include "res/pictures/sad_rabbit.xpm"
#include "res/pictures/sad_rabbit_mask.xpm"

namespace
{
constexpr double kCellPerEm = (1854.0 + 434.0) / 2048.0;
constexpr double kAscentPerEm = 1854.0 / 2048.0;
constexpr double kCapHeightPerEm = 1409.0 / 2048.0;
constexpr double kAverageWidthPerEm = 904.0 / 2048.0;
constexpr double kXAdvancePerEm = 1024.0 / 2048.0;

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGrey = Rgb(128, 128, 128);

bool IsEmpty(const Rect& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

std::string Describe(const Rect& rect)
{
    std::ostringstream out;
    out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
    return out.str();
}

std::string Describe(Colour colour)
{
    std::ostringstream out;
    out << "Rgb(" << RedOf(colour) << ", " << GreenOf(colour) << ", " << BlueOf(colour) << ")";
    return out.str();
}

// An opaque RGB24 image surface with a cairo context on it, filled with one colour.
class Canvas
{
public:
    Canvas(int nWidth, int nHeight, Colour background = kWhite)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_background(background),
          m_pSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, nWidth, nHeight)),
          m_pCairo(cairo_create(m_pSurface))
    {
        cairo_set_source_rgb(m_pCairo, RedOf(background) / 255.0, GreenOf(background) / 255.0,
                             BlueOf(background) / 255.0);
        cairo_paint(m_pCairo);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas()
    {
        cairo_destroy(m_pCairo);
        cairo_surface_destroy(m_pSurface);
    }

    cairo_t* Cairo() const { return m_pCairo; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    Colour At(int x, int y) const
    {
        cairo_surface_flush(m_pSurface);
        const unsigned char* pData = cairo_image_surface_get_data(m_pSurface);
        const int nStride = cairo_image_surface_get_stride(m_pSurface);
        const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(pData + y * nStride)[x];
        return Rgb(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

    // Ink is a pixel clearly unlike the background (anti-aliasing fringes excluded).
    bool IsInk(int x, int y) const
    {
        const Colour colour = At(x, y);
        return std::abs(RedOf(colour) - RedOf(m_background)) > 64 ||
               std::abs(GreenOf(colour) - GreenOf(m_background)) > 64 ||
               std::abs(BlueOf(colour) - BlueOf(m_background)) > 64;
    }

    Rect InkBox(const Rect& area) const
    {
        Rect box{area.right, area.bottom, area.left, area.top};
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, m_nHeight); ++y)
            for (int x = std::max(area.left, 0); x < std::min(area.right, m_nWidth); ++x)
                if (IsInk(x, y))
                {
                    box.left = std::min(box.left, x);
                    box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1);
                    box.bottom = std::max(box.bottom, y + 1);
                }
        return IsEmpty(box) ? Rect{} : box;
    }
    Rect InkBox() const { return InkBox({0, 0, m_nWidth, m_nHeight}); }

    int InkCount() const
    {
        int nCount = 0;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
                nCount += IsInk(x, y) ? 1 : 0;
        return nCount;
    }

    // Mean row of the ink within columns [x1, x2).
    double MeanInkRow(int x1, int x2) const
    {
        double fSum = 0;
        int nCount = 0;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = x1; x < x2; ++x)
                if (IsInk(x, y))
                {
                    fSum += y;
                    ++nCount;
                }
        return nCount ? fSum / nCount : -1;
    }

    bool SameAs(const Canvas& other) const
    {
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }

private:
    int m_nWidth;
    int m_nHeight;
    Colour m_background;
    cairo_surface_t* m_pSurface;
    cairo_t* m_pCairo;
};

FontSpec Font(int nHeight, int nWidth, int nEscapement = 0, int nWeight = 0, bool bStrikeOut = false)
{
    FontSpec font;
    font.Height = nHeight;
    font.Width = nWidth;
    font.Escapement = nEscapement;
    font.Weight = nWeight;
    font.StrikeOut = bStrikeOut;
    return font;
}

void Draw(Canvas& canvas, const FontSpec& font, const std::string& strText, const Rect& rect, unsigned nFormat,
          Colour colour = kBlack)
{
    CairoDC dc(canvas.Cairo(), {});
    dc.SetBkMode(BK_TRANSPARENT);
    dc.SetTextColor(colour);
    dc.SelectFont(&font);
    dc.DrawText(strText, rect, nFormat);
}

Size Measure(const FontSpec& font, const std::string& strText)
{
    Canvas canvas(1, 1);
    CairoDC dc(canvas.Cairo(), {});
    dc.SelectFont(&font);
    return dc.GetTextExtent(strText);
}

bool IsRedInk(Colour colour)
{
    return RedOf(colour) > 160 && GreenOf(colour) < 96 && BlueOf(colour) < 96;
}

// The first row in box whose pixels from box.left + 1 to box.right - 2 all pass test,
// or -1; with bColumns, the same for columns.
int FullLine(const Canvas& canvas, const Rect& box, bool bColumns, const std::function<bool(Colour)>& test)
{
    const int nFirst = bColumns ? box.left : box.top;
    const int nLast = bColumns ? box.right : box.bottom;
    const int nFrom = (bColumns ? box.top : box.left) + 1;
    const int nTo = (bColumns ? box.bottom : box.right) - 1;
    for (int n = nFirst; n < nLast; ++n)
    {
        bool bFull = nTo > nFrom;
        for (int m = nFrom; m < nTo && bFull; ++m)
            bFull = test(bColumns ? canvas.At(n, m) : canvas.At(m, n));
        if (bFull)
            return n;
    }
    return -1;
}

struct PicturePair
{
    const char* szName;
    Picture picture;
    Picture mask;
};

const PicturePair kPairs[] = {
    {"happy rabbit", Picture::HappyRabbit, Picture::HappyRabbitMask},
    {"sad rabbit", Picture::SadRabbit, Picture::SadRabbitMask},
    {"happy face", Picture::HappyFace, Picture::FaceMask},
    {"sad face", Picture::SadFace, Picture::FaceMask},
};

// A plain reading of the XPM subset the pictures use ("#RRGGBB" colours), to check the
// toolkit's decoding against.
PixelImage ReadXpm(const char* const* xpm)
{
    PixelImage image;
    int nColours = 0, nChars = 0;
    std::istringstream(xpm[0]) >> image.Width >> image.Height >> nColours >> nChars;
    std::map<std::string, std::uint32_t> colours;
    for (int i = 1; i <= nColours; ++i)
    {
        const std::string strLine = xpm[i];
        const size_t nHash = strLine.find('#', static_cast<size_t>(nChars));
        colours[strLine.substr(0, static_cast<size_t>(nChars))] =
            static_cast<std::uint32_t>(std::stoul(strLine.substr(nHash + 1, 6), nullptr, 16));
    }
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            image.Pixels.push_back(
                colours.at(std::string(xpm[1 + nColours + y] + x * nChars, static_cast<size_t>(nChars))));
    return image;
}

} // namespace

TEST(CairoDC, FontWidthSetsTheAverageCharacterWidthAndHeightTheCell)
{
    const std::string strTen(10, 'x');
    // 'x' is 1024/2048 em against an average of 904/2048: 10 x at Width 10 is 113.3 px.
    const double fExpected = 10 * 10 * kXAdvancePerEm / kAverageWidthPerEm;
    const Size narrow = Measure(Font(30, 10), strTen);
    const Size wide = Measure(Font(30, 20), strTen);
    EXPECT_NEAR(narrow.cx, fExpected, 2.0);
    EXPECT_NEAR(wide.cx, 2 * fExpected, 2.0);
    EXPECT_EQ(narrow.cy, 30);
    EXPECT_EQ(wide.cy, 30);
    // Width 0 keeps the face's proportions: the em is Height / (ascent + descent).
    EXPECT_NEAR(Measure(Font(30, 0), strTen).cx, 10 * kXAdvancePerEm * 30 / kCellPerEm, 2.0);
    EXPECT_EQ(Measure(Font(30, 0), strTen).cy, 30);

    // The drawn text follows the same widths, not only the measurement.
    Canvas narrowCanvas(400, 60), wideCanvas(400, 60);
    Draw(narrowCanvas, Font(30, 10), strTen, {0, 0, 400, 60}, TF_LEFT_TOP);
    Draw(wideCanvas, Font(30, 20), strTen, {0, 0, 400, 60}, TF_LEFT_TOP);
    const Rect narrowInk = narrowCanvas.InkBox();
    const Rect wideInk = wideCanvas.InkBox();
    ASSERT_FALSE(IsEmpty(narrowInk));
    EXPECT_NEAR(static_cast<double>(wideInk.Width()) / narrowInk.Width(), 2.0, 0.08)
        << Describe(narrowInk) << " " << Describe(wideInk);
    EXPECT_EQ(narrowInk.Height(), wideInk.Height());
}

TEST(CairoDC, FontHeightSetsCapHeightAndBaseline)
{
    Canvas big(100, 120), small(100, 120);
    Draw(big, Font(80, 0), "H", {10, 10, 100, 120}, TF_LEFT_TOP);
    Draw(small, Font(40, 0), "H", {10, 10, 100, 120}, TF_LEFT_TOP);
    const Rect bigInk = big.InkBox();
    const Rect smallInk = small.InkBox();
    ASSERT_FALSE(IsEmpty(smallInk));
    EXPECT_NEAR(static_cast<double>(bigInk.Height()) / smallInk.Height(), 2.0, 0.1);
    EXPECT_NEAR(bigInk.Height(), 80 / kCellPerEm * kCapHeightPerEm, 1.5);
    // The cell's top is rect.top, so the baseline is ascent below it.
    EXPECT_NEAR(bigInk.bottom, 10 + 80 / kCellPerEm * kAscentPerEm, 1.0);
    EXPECT_NEAR(smallInk.bottom, 10 + 40 / kCellPerEm * kAscentPerEm, 1.0);
}

TEST(CairoDC, WeightFromSixHundredIsBold)
{
    Canvas normal(300, 60), semibold(300, 60), bold(300, 60);
    Draw(normal, Font(30, 10, 0, 400), "Irregular", {0, 0, 300, 60}, TF_LEFT_TOP);
    Draw(semibold, Font(30, 10, 0, 599), "Irregular", {0, 0, 300, 60}, TF_LEFT_TOP);
    Draw(bold, Font(30, 10, 0, 600), "Irregular", {0, 0, 300, 60}, TF_LEFT_TOP);
    EXPECT_TRUE(normal.SameAs(semibold));
    EXPECT_GT(bold.InkCount(), normal.InkCount() * 5 / 4);
}

TEST(CairoDC, OwnFontIsSixteenPixelArial)
{
    Canvas own(200, 40), arial(200, 40);
    CairoDC dc(own.Cairo(), {});
    EXPECT_EQ(dc.GetTextExtent("Taldrin").cy, 16);
    EXPECT_EQ(dc.GetTextExtent("Taldrin").cx, Measure(Font(16, 0), "Taldrin").cx);
    dc.SetBkMode(BK_TRANSPARENT);
    dc.DrawText("Taldrin", {0, 0, 200, 40}, TF_LEFT_TOP);
    Draw(arial, Font(16, 0), "Taldrin", {0, 0, 200, 40}, TF_LEFT_TOP);
    EXPECT_TRUE(own.SameAs(arial));
}

TEST(CairoDC, SelectionsReturnWhatTheyReplace)
{
    Canvas canvas(10, 10);
    CairoDC dc(canvas.Cairo(), {});
    const FontSpec first = Font(20, 0), second = Font(30, 0);
    EXPECT_EQ(dc.SelectFont(&first), nullptr);
    EXPECT_EQ(dc.SelectFont(&second), &first);
    EXPECT_EQ(dc.GetTextExtent("a").cy, 30);
    EXPECT_EQ(dc.SelectFont(nullptr), &second);

    const Colour green = Rgb(0, 255, 0);
    EXPECT_EQ(dc.SelectBrush(&green), nullptr);
    EXPECT_EQ(dc.SelectBrush(nullptr), &green);

    EXPECT_EQ(dc.GetTextColor(), kBlack);
    EXPECT_EQ(dc.SetTextColor(Rgb(1, 2, 3)), kBlack);
    EXPECT_EQ(dc.SetTextColor(kWhite), Rgb(1, 2, 3));
    EXPECT_EQ(dc.GetTextColor(), kWhite);

    EXPECT_EQ(dc.SetBkMode(BK_TRANSPARENT), BK_OPAQUE);
    EXPECT_EQ(dc.SetBkMode(BK_OPAQUE), BK_TRANSPARENT);
}

TEST(CairoDC, EscapementTurnsTextCounterClockwiseAboutItsStart)
{
    const std::string strText = "Irregular";
    const FontSpec level = Font(40, 15);
    const int nWidth = Measure(level, strText).cx;

    Canvas flat(500, 500);
    Draw(flat, level, strText, {20, 20, 500, 500}, TF_LEFT_TOP);
    const Rect flatInk = flat.InkBox();
    ASSERT_FALSE(IsEmpty(flatInk));
    EXPECT_LE(flatInk.Height(), 40);

    // 50 degrees: placed from the bottom so that the rising text stays inside the rect.
    Canvas rising(500, 500);
    Draw(rising, Font(40, 15, 500), strText, {0, 0, 500, 450}, TF_SINGLELINE | TF_CENTER | TF_BOTTOM);
    const Rect risingInk = rising.InkBox();
    ASSERT_FALSE(IsEmpty(risingInk));
    EXPECT_GT(risingInk.Height(), 2 * flatInk.Height()) << Describe(risingInk);
    const int nThird = risingInk.Width() / 3;
    EXPECT_LT(rising.MeanInkRow(risingInk.right - nThird, risingInk.right),
              rising.MeanInkRow(risingInk.left, risingInk.left + nThird) - 30);

    Canvas falling(500, 500);
    Draw(falling, Font(40, 15, -180), strText, {20, 20, 500, 500}, TF_LEFT_TOP);
    const Rect fallingInk = falling.InkBox();
    ASSERT_FALSE(IsEmpty(fallingInk));
    EXPECT_GT(falling.MeanInkRow(fallingInk.right - nThird, fallingInk.right),
              falling.MeanInkRow(fallingInk.left, fallingInk.left + nThird) + 10);

    // 90 degrees about the cell's top-left: the text runs upwards from there and its
    // cell lies to the right of that point.
    Canvas upright(500, 500);
    Draw(upright, Font(40, 15, 900), strText, {0, 0, 500, 450}, TF_SINGLELINE | TF_CENTER | TF_BOTTOM);
    const int x0 = (500 - nWidth) / 2, y0 = 450 - 40;
    const Rect uprightInk = upright.InkBox();
    ASSERT_FALSE(IsEmpty(uprightInk));
    EXPECT_GE(uprightInk.left, x0 - 1) << Describe(uprightInk);
    EXPECT_LE(uprightInk.right, x0 + 40 + 1) << Describe(uprightInk);
    EXPECT_LE(uprightInk.bottom, y0 + 1) << Describe(uprightInk);
    EXPECT_GE(uprightInk.top, y0 - nWidth - 1) << Describe(uprightInk);
    EXPECT_GT(uprightInk.Height(), nWidth * 3 / 4) << Describe(uprightInk);
}

TEST(CairoDC, StrikeOutCrossesTheTextOnlyWhenSet)
{
    // Spaced letters leave a gap in every row unless a line is drawn across.
    const std::string strText = "o o o";
    const Colour red = Rgb(220, 0, 0);
    Canvas plain(300, 100), struck(300, 100);
    Draw(plain, Font(30, 10, 0, 600), strText, {10, 10, 300, 100}, TF_LEFT_TOP, red);
    Draw(struck, Font(30, 10, 0, 600, true), strText, {10, 10, 300, 100}, TF_LEFT_TOP, red);
    const Rect plainInk = plain.InkBox();
    ASSERT_FALSE(IsEmpty(plainInk));
    EXPECT_EQ(FullLine(plain, plainInk, false, IsRedInk), -1);
    const int nRow = FullLine(struck, plainInk, false, IsRedInk);
    const double fEm = 30 / kCellPerEm;
    const double fBaseline = 10 + fEm * kAscentPerEm;
    EXPECT_GE(nRow, fBaseline - 0.45 * fEm);
    EXPECT_LE(nRow, fBaseline - 0.15 * fEm);

    // Turned with the text: at 90 degrees the line is a column.
    Canvas plainUp(200, 300), struckUp(200, 300);
    const unsigned nBottom = TF_SINGLELINE | TF_CENTER | TF_BOTTOM;
    Draw(plainUp, Font(30, 10, 900, 600), strText, {0, 0, 200, 280}, nBottom, red);
    Draw(struckUp, Font(30, 10, 900, 600, true), strText, {0, 0, 200, 280}, nBottom, red);
    const Rect upInk = plainUp.InkBox();
    ASSERT_FALSE(IsEmpty(upInk));
    EXPECT_EQ(FullLine(plainUp, upInk, true, IsRedInk), -1);
    EXPECT_NE(FullLine(struckUp, upInk, true, IsRedInk), -1);
}

TEST(CairoDC, DrawTextCentresAndPlacesLinesLikeTheClassicCall)
{
    const FontSpec font = Font(40, 0);
    const double fBaselineBelowTop = 40 / kCellPerEm * kAscentPerEm;
    auto centreX = [](const Rect& ink) { return (ink.left + ink.right) / 2.0; };

    // TF_CENTER: every line centred, lines one cell apart from the top.
    Canvas centred(600, 300);
    Draw(centred, font, "HH\nHHHHHH", {100, 20, 500, 300}, TF_CENTER);
    const Rect firstLine = centred.InkBox({0, 0, 600, 60});
    const Rect secondLine = centred.InkBox({0, 60, 600, 300});
    EXPECT_NEAR(centreX(firstLine), 300, 2.0) << Describe(firstLine);
    EXPECT_NEAR(centreX(secondLine), 300, 2.0) << Describe(secondLine);
    EXPECT_NEAR(firstLine.bottom, 20 + fBaselineBelowTop, 1.0);
    EXPECT_EQ(secondLine.bottom - firstLine.bottom, 40);

    // Single line centred both ways: the cell, not the ink, is centred; no line break.
    Canvas middle(600, 300);
    Draw(middle, font, "HH\nHH", {100, 50, 500, 250}, TF_SINGLELINE | TF_CENTER | TF_VCENTER);
    const Rect middleInk = middle.InkBox();
    EXPECT_NEAR(centreX(middleInk), 300, 2.0) << Describe(middleInk);
    EXPECT_NEAR(middleInk.bottom, 50 + (200 - 40) / 2 + fBaselineBelowTop, 1.0) << Describe(middleInk);
    EXPECT_LE(middleInk.Height(), 40);

    // Single line at the bottom: a descender reaches down to rect.bottom.
    Canvas bottom(600, 300);
    Draw(bottom, font, "Hg", {100, 50, 500, 250}, TF_SINGLELINE | TF_CENTER | TF_BOTTOM);
    const Rect bottomInk = bottom.InkBox();
    EXPECT_NEAR(centreX(bottomInk), 300, 2.0) << Describe(bottomInk);
    EXPECT_GE(bottomInk.bottom, 250 - 3);
    EXPECT_LE(bottomInk.bottom, 250);
    const Rect capital = bottom.InkBox({0, 50, bottomInk.left + 15, 250});
    EXPECT_NEAR(capital.bottom, 250 - 40 + fBaselineBelowTop, 1.0) << Describe(capital);

    // Left and top: lines start at rect.left, the second exactly one cell lower.
    Canvas leftTop(300, 200);
    Draw(leftTop, Font(30, 0), "H\nH", {20, 20, 300, 200}, TF_LEFT_TOP);
    const Rect upper = leftTop.InkBox({0, 0, 300, 50});
    const Rect lower = leftTop.InkBox({0, 50, 300, 200});
    ASSERT_FALSE(IsEmpty(lower));
    EXPECT_EQ(lower.left, upper.left);
    EXPECT_GE(upper.left, 20);
    EXPECT_LE(upper.left, 24);
    EXPECT_EQ(lower.top - upper.top, 30);
    EXPECT_EQ(lower.bottom - upper.bottom, 30);
}

TEST(CairoDC, DrawTextIsClippedToItsRect)
{
    Canvas canvas(300, 150);
    const Rect rect{50, 50, 120, 70};
    Draw(canvas, Font(40, 0), "Irregular verbs", rect, TF_LEFT_TOP);
    const Rect ink = canvas.InkBox();
    ASSERT_FALSE(IsEmpty(ink));
    EXPECT_TRUE(ink.left >= rect.left && ink.top >= rect.top && ink.right <= rect.right &&
                ink.bottom <= rect.bottom)
        << Describe(ink);

    Canvas turned(300, 300);
    const Rect narrow{100, 100, 200, 200};
    Draw(turned, Font(40, 0, 500), "Irregular verbs", narrow, TF_SINGLELINE | TF_BOTTOM);
    const Rect turnedInk = turned.InkBox();
    ASSERT_FALSE(IsEmpty(turnedInk));
    EXPECT_TRUE(turnedInk.left >= narrow.left && turnedInk.top >= narrow.top && turnedInk.right <= narrow.right &&
                turnedInk.bottom <= narrow.bottom)
        << Describe(turnedInk);
}

TEST(CairoDC, TextExtentAgreesWithDrawnText)
{
    // The end of a drawn prefix is where the measured width says, so a caret at
    // left + cx - 1 sits right after it; also with a stretched font.
    for (const FontSpec& font : {Font(30, 10), Font(30, 20, 0, 600), Font(16, 0)})
    {
        SCOPED_TRACE(font.Width);
        Canvas prefix(400, 50), whole(400, 50);
        Draw(prefix, font, "HHH", {10, 10, 400, 50}, TF_LEFT_TOP);
        Draw(whole, font, "HHHH", {10, 10, 400, 50}, TF_LEFT_TOP);
        const int nCaret = 10 + Measure(font, "HHH").cx - 1;
        const Rect prefixInk = prefix.InkBox();
        EXPECT_LE(prefixInk.right - 1, nCaret);
        EXPECT_GE(prefixInk.right - 1, nCaret - font.Height / 4);
        // The fourth letter starts after the caret.
        EXPECT_EQ(whole.InkBox({0, 0, nCaret + 1, 50}), prefix.InkBox({0, 0, nCaret + 1, 50}));
        EXPECT_FALSE(IsEmpty(whole.InkBox({nCaret + 1, 0, 400, 50})));
    }
}

TEST(CairoDC, TextTakesTheTextColourAndOpaqueModeFillsTheCell)
{
    const Colour red = Rgb(220, 0, 0);
    Canvas canvas(300, 100);
    Draw(canvas, Font(60, 0, 0, 700), "HHHH", {10, 10, 300, 100}, TF_LEFT_TOP, red);
    int nExact = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
        {
            const Colour colour = canvas.At(x, y);
            nExact += colour == red ? 1 : 0;
            // Edges blend red into white and nothing else.
            ASSERT_TRUE(GreenOf(colour) == BlueOf(colour) && RedOf(colour) >= 219) << Describe(colour);
        }
    EXPECT_GT(nExact, 400);

    Canvas transparent(200, 100, kGrey), opaque(200, 100, kGrey);
    CairoDC clearDc(transparent.Cairo(), {}), opaqueDc(opaque.Cairo(), {});
    const FontSpec font = Font(40, 0);
    clearDc.SelectFont(&font);
    opaqueDc.SelectFont(&font);
    clearDc.SetBkMode(BK_TRANSPARENT);
    clearDc.DrawText("H", {20, 20, 200, 100}, TF_LEFT_TOP);
    opaqueDc.DrawText("H", {20, 20, 200, 100}, TF_LEFT_TOP);
    const int nWidth = opaqueDc.GetTextExtent("H").cx;
    EXPECT_EQ(transparent.At(21, 21), kGrey);
    EXPECT_EQ(opaque.At(21, 21), kWhite);
    EXPECT_EQ(opaque.At(20 + nWidth - 2, 20 + 38), kWhite);
    EXPECT_EQ(opaque.At(20 + nWidth + 2, 21), kGrey);
    EXPECT_EQ(opaque.At(21, 20 + 41), kGrey);
}

TEST(CairoDC, RectangleIsAnExactOutlineFilledWithTheBrush)
{
    const Colour green = Rgb(0, 255, 0);
    Canvas canvas(60, 50, kGrey);
    CairoDC dc(canvas.Cairo(), {});
    dc.SelectBrush(&green);
    dc.Rectangle({10, 10, 30, 25});
    dc.SelectBrush(nullptr);
    dc.Rectangle({35, 30, 38, 45});
    auto expected = [](int x, int y) {
        for (const auto& [rect, fill] : {std::pair(Rect{10, 10, 30, 25}, Rgb(0, 255, 0)),
                                         std::pair(Rect{35, 30, 38, 45}, kWhite)})
            if (rect.Contains(x, y))
            {
                const bool bEdge = x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1;
                return bEdge ? kBlack : fill;
            }
        return kGrey;
    };
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_EQ(canvas.At(x, y), expected(x, y)) << "at " << x << ", " << y;
}

TEST(CairoDC, LineStopsBeforeItsEndPoint)
{
    const Colour red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    Canvas canvas(40, 30, kWhite);
    CairoDC dc(canvas.Cairo(), {});
    dc.Line(5, 5, 15, 5, red);
    dc.Line(20, 20, 20, 3, blue);
    // Through the interface, where the colour defaults to black.
    CDC& classic = dc;
    classic.Line(30, 10, 25, 10);
    classic.Line(0, 20, 5, 25);
    auto expected = [&](int x, int y) {
        if (y == 5 && x >= 5 && x < 15)
            return red;
        if (x == 20 && y > 3 && y <= 20)
            return blue;
        if (y == 10 && x > 25 && x <= 30)
            return kBlack;
        if (y - 20 == x && x >= 0 && x < 5)
            return kBlack;
        return kWhite;
    };
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            ASSERT_EQ(canvas.At(x, y), expected(x, y)) << "at " << x << ", " << y;
}

TEST(CairoDC, RectVisibleFollowsTheContextsClip)
{
    Canvas canvas(200, 200);
    CairoDC dc(canvas.Cairo(), {});
    EXPECT_TRUE(dc.RectVisible({150, 150, 260, 260}));
    EXPECT_FALSE(dc.RectVisible({200, 0, 260, 50}));
    EXPECT_FALSE(dc.RectVisible({10, 10, 10, 50}));

    cairo_t* pCairo = canvas.Cairo();
    cairo_save(pCairo);
    cairo_rectangle(pCairo, 50, 50, 50, 50);
    cairo_rectangle(pCairo, 150, 50, 20, 20);
    cairo_clip(pCairo);
    EXPECT_FALSE(dc.RectVisible({0, 0, 50, 50}));
    EXPECT_TRUE(dc.RectVisible({0, 0, 51, 51}));
    EXPECT_TRUE(dc.RectVisible({99, 99, 120, 120}));
    EXPECT_FALSE(dc.RectVisible({100, 50, 150, 100}));
    EXPECT_TRUE(dc.RectVisible({160, 60, 161, 61}));
    EXPECT_FALSE(dc.RectVisible({150, 70, 170, 100}));
    cairo_restore(pCairo);

    // A clip that is no set of rectangles still limits what is visible.
    cairo_arc(pCairo, 100, 100, 20, 0, 2 * 3.14159265358979);
    cairo_clip(pCairo);
    EXPECT_TRUE(dc.RectVisible({95, 95, 105, 105}));
    EXPECT_FALSE(dc.RectVisible({0, 0, 60, 60}));
}

TEST(CairoDC, DrawingLeavesTheContextAsItWas)
{
    Canvas canvas(200, 200);
    cairo_t* pCairo = canvas.Cairo();
    cairo_translate(pCairo, 3, 4);
    cairo_matrix_t before;
    cairo_get_matrix(pCairo, &before);
    cairo_pattern_t* pSourceBefore = cairo_get_source(pCairo);
    CairoDC dc(canvas.Cairo(), LoadPicture);
    const FontSpec font = Font(30, 10, 450, 700, true);
    dc.SelectFont(&font);
    dc.DrawText("Irregular\nverbs", {10, 10, 50, 50}, TF_CENTER);
    dc.Rectangle({5, 5, 20, 20});
    dc.Line(1, 1, 9, 9, kBlack);
    dc.DrawMaskedPicture(Picture::FaceMask, Picture::SadFace, {0, 0, 100, 100});
    dc.GetTextExtent("verbs");

    cairo_matrix_t after;
    cairo_get_matrix(pCairo, &after);
    EXPECT_EQ(std::vector<double>({before.xx, before.yx, before.xy, before.yy, before.x0, before.y0}),
              std::vector<double>({after.xx, after.yx, after.xy, after.yy, after.x0, after.y0}));
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(pCairo, &x1, &y1, &x2, &y2);
    EXPECT_EQ(std::vector<double>({x1, y1, x2, y2}), std::vector<double>({-3, -4, 197, 196}));
    EXPECT_EQ(cairo_get_source(pCairo), pSourceBefore);
    EXPECT_EQ(cairo_get_antialias(pCairo), CAIRO_ANTIALIAS_DEFAULT);
    EXPECT_FALSE(cairo_has_current_point(pCairo));
    EXPECT_EQ(cairo_status(pCairo), CAIRO_STATUS_SUCCESS);
}

TEST(CairoDC, LatinOneAndControlBytesAreSafe)
{
    // 0xE9 is e with an acute accent: an e with ink above it.
    const FontSpec font = Font(40, 0);
    Canvas accented(100, 80), plain(100, 80);
    Draw(accented, font, "\xE9", {10, 10, 100, 80}, TF_LEFT_TOP);
    Draw(plain, font, "e", {10, 10, 100, 80}, TF_LEFT_TOP);
    const Rect accentedInk = accented.InkBox();
    const Rect plainInk = plain.InkBox();
    ASSERT_FALSE(IsEmpty(accentedInk));
    EXPECT_EQ(accentedInk.bottom, plainInk.bottom);
    EXPECT_LT(accentedInk.top, plainInk.top - 5);
    EXPECT_EQ(Measure(font, "\xE9").cx, Measure(font, "e").cx);

    // Control bytes, NUL included, take no room and leave the rest of the line in place.
    const std::string strWithControls("ab\0c\x01\td\r\x7F\x85", 11);
    Canvas withControls(200, 80), without(200, 80);
    Draw(withControls, font, strWithControls, {10, 10, 200, 80}, TF_LEFT_TOP);
    Draw(without, font, "abcd", {10, 10, 200, 80}, TF_LEFT_TOP);
    EXPECT_TRUE(withControls.SameAs(without));
    EXPECT_EQ(Measure(font, strWithControls).cx, Measure(font, "abcd").cx);

    std::string strEveryByte;
    for (int n = 0; n < 256; ++n)
        strEveryByte += static_cast<char>(n);
    Canvas every(400, 400);
    Draw(every, Font(12, 0), strEveryByte, {0, 0, 400, 400}, TF_LEFT_TOP);
    Draw(every, Font(12, 0), strEveryByte, {0, 0, 400, 400}, TF_SINGLELINE | TF_CENTER | TF_VCENTER);
    EXPECT_GT(Measure(Font(12, 0), strEveryByte).cx, 0);
    EXPECT_FALSE(IsEmpty(every.InkBox()));
}

TEST(LoadPicture, DecodesEachXpmExactly)
{
    const std::pair<Picture, const char* const*> sources[] = {
        {Picture::HappyRabbit, happy_rabbit_xpm}, {Picture::HappyRabbitMask, happy_rabbit_mask_xpm},
        {Picture::SadRabbit, sad_rabbit_xpm},     {Picture::SadRabbitMask, sad_rabbit_mask_xpm},
        {Picture::HappyFace, happy_face_xpm},     {Picture::SadFace, sad_face_xpm},
        {Picture::FaceMask, face_mask_xpm},
    };
    for (const auto& [picture, xpm] : sources)
    {
        SCOPED_TRACE(xpm[0]);
        const PixelImage image = LoadPicture(picture);
        EXPECT_EQ(image.Width, 48);
        EXPECT_EQ(image.Height, 48);
        EXPECT_EQ(image.Pixels, ReadXpm(xpm).Pixels);
    }
}

TEST(LoadPicture, MasksAreBlackExactlyWhereThePictureIsNotWhite)
{
    for (const PicturePair& pair : kPairs)
    {
        SCOPED_TRACE(pair.szName);
        const PixelImage picture = LoadPicture(pair.picture);
        const PixelImage mask = LoadPicture(pair.mask);
        ASSERT_EQ(picture.Pixels.size(), 48u * 48u);
        ASSERT_EQ(mask.Pixels.size(), picture.Pixels.size());
        std::set<std::uint32_t> colours(picture.Pixels.begin(), picture.Pixels.end());
        EXPECT_GE(colours.size(), 4u);
        for (size_t n = 0; n < mask.Pixels.size(); ++n)
        {
            ASSERT_TRUE(mask.Pixels[n] == 0x000000 || mask.Pixels[n] == 0xFFFFFF) << n;
            ASSERT_EQ(mask.Pixels[n] == 0x000000, picture.Pixels[n] != 0xFFFFFF) << "pixel " << n;
        }
    }
}

TEST(CairoDC, MaskedPictureIsScaledCrispByNearestNeighbour)
{
    for (const PicturePair& pair : kPairs)
        for (const Rect& dest : {Rect{25, 20, 175, 170}, Rect{40, 45, 140, 145}})
        {
            SCOPED_TRACE(std::string(pair.szName) + " into " + Describe(dest));
            const PixelImage picture = LoadPicture(pair.picture);
            const PixelImage mask = LoadPicture(pair.mask);
            Canvas canvas(200, 200, kGrey);
            CairoDC dc(canvas.Cairo(), LoadPicture);
            dc.DrawMaskedPicture(pair.mask, pair.picture, dest);

            // A destination pixel whose centre falls on a source pixel's border may take
            // either neighbour; everywhere else exactly one source pixel is nearest.
            auto sourceOf = [](int n, int nDest, double fNudge) {
                const double fSource = (n + 0.5) * 48.0 / nDest + fNudge;
                return std::clamp(static_cast<int>(std::floor(fSource)), 0, 47);
            };
            auto colourAt = [&](int sx, int sy) {
                const size_t nIndex = static_cast<size_t>(sy * 48 + sx);
                if (mask.Pixels[nIndex] != 0)
                    return kGrey;
                const std::uint32_t rgb = picture.Pixels[nIndex];
                return Rgb(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
            };
            int nPictureColoured = 0;
            for (int y = 0; y < canvas.Height(); ++y)
                for (int x = 0; x < canvas.Width(); ++x)
                {
                    const Colour actual = canvas.At(x, y);
                    if (!dest.Contains(x, y))
                    {
                        ASSERT_EQ(actual, kGrey) << "outside at " << x << ", " << y;
                        continue;
                    }
                    const int dx = x - dest.left, dy = y - dest.top;
                    std::set<Colour> allowed;
                    for (double fNudgeX : {-1e-6, 1e-6})
                        for (double fNudgeY : {-1e-6, 1e-6})
                            allowed.insert(colourAt(sourceOf(dx, dest.Width(), fNudgeX),
                                                    sourceOf(dy, dest.Height(), fNudgeY)));
                    ASSERT_TRUE(allowed.count(actual)) << Describe(actual) << " at " << x << ", " << y;
                    nPictureColoured += actual != kGrey ? 1 : 0;
                }
            EXPECT_GT(nPictureColoured, dest.Width() * dest.Height() / 4);
        }
}
