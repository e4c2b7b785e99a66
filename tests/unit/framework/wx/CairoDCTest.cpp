// CairoDC and LoadPicture, drawn on cairo image surfaces and judged by their pixels.
// Expected text geometry comes from Arial's published metrics (Liberation Sans shares
// them): ascent 1854 and descent 434 per 2048 em, cap height 1409, 'x' advance 1024.
#include "framework/wx/CairoDC.h"
#include "framework/wx/Pictures.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

// Shows rectangles in failure messages.
std::ostream& operator<<(std::ostream& out, const Rect& rect)
{
    return out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

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

// An opaque RGB24 image surface with a cairo context on it, filled with one colour.
class Canvas
{
public:
    Canvas(int nWidth, int nHeight, Colour background = kWhite)
        : m_nWidth(nWidth), m_nHeight(nHeight),
          m_pSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, nWidth, nHeight), cairo_surface_destroy),
          m_pCairo(cairo_create(m_pSurface.get()), cairo_destroy)
    {
        cairo_set_source_rgb(Cairo(), RedOf(background) / 255.0, GreenOf(background) / 255.0, BlueOf(background) / 255.0);
        cairo_paint(Cairo());
    }

    cairo_t* Cairo() const { return m_pCairo.get(); }

    Colour At(int x, int y) const
    {
        cairo_surface_t* pSurface = m_pSurface.get();
        cairo_surface_flush(pSurface);
        const unsigned char* pRow = cairo_image_surface_get_data(pSurface) + y * cairo_image_surface_get_stride(pSurface);
        const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(pRow)[x];
        return Rgb(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

    // The bounding box within area of the ink on a white canvas, pixels clearly darker
    // than white (anti-aliasing fringes excluded); all zero without ink.
    Rect InkBox(const Rect& area) const
    {
        Rect box{area.right, area.bottom, area.left, area.top};
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, m_nHeight); ++y)
            for (int x = std::max(area.left, 0); x < std::min(area.right, m_nWidth); ++x)
                if (const Colour c = At(x, y); std::min({RedOf(c), GreenOf(c), BlueOf(c)}) < 192)
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.right <= box.left ? Rect{} : box;
    }
    Rect InkBox() const { return InkBox({0, 0, m_nWidth, m_nHeight}); }

private:
    int m_nWidth, m_nHeight;
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> m_pSurface;
    std::unique_ptr<cairo_t, void (*)(cairo_t*)> m_pCairo;
};

FontSpec Font(int nHeight, int nWidth, int nEscapement = 0) { return {"Arial", nHeight, nWidth, nEscapement}; }

void Draw(Canvas& canvas, const FontSpec& font, const std::string& strText, const Rect& rect, unsigned nFormat)
{
    CairoDC dc(canvas.Cairo(), {});
    dc.SetBkMode(BK_TRANSPARENT);
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

double CentreX(const Rect& ink) { return (ink.left + ink.right) / 2.0; }

} // namespace

TEST(CairoDC, FontWidthStretchesTheTextAndHeightSetsTheCell)
{
    // 'x' is 1024/2048 em against an average of 904/2048: 10 x at Width 10 is 113.3 px.
    const std::string strTen(10, 'x');
    const double fExpected = 10 * 10 * kXAdvancePerEm / kAverageWidthPerEm;
    EXPECT_NEAR(Measure(Font(30, 10), strTen).cx, fExpected, 2.0);
    EXPECT_NEAR(Measure(Font(30, 20), strTen).cx, 2 * fExpected, 2.0);
    EXPECT_NEAR(Measure(Font(30, 0), strTen).cx, 10 * kXAdvancePerEm * 30 / kCellPerEm, 2.0);
    EXPECT_EQ(Measure(Font(30, 20), strTen).cy, 30);

    // The drawn text is stretched too, not only the measurement.
    Canvas narrow(400, 60), wide(400, 60);
    Draw(narrow, Font(30, 10), strTen, {0, 0, 400, 60}, TF_LEFT_TOP);
    Draw(wide, Font(30, 20), strTen, {0, 0, 400, 60}, TF_LEFT_TOP);
    ASSERT_GT(narrow.InkBox().Width(), 0);
    EXPECT_NEAR(static_cast<double>(wide.InkBox().Width()) / narrow.InkBox().Width(), 2.0, 0.08);
    EXPECT_EQ(narrow.InkBox().Height(), wide.InkBox().Height());

    // Height is the cell: cap height and baseline (ascent below rect.top) follow from it.
    Canvas big(100, 120);
    Draw(big, Font(80, 0), "H", {10, 10, 100, 120}, TF_LEFT_TOP);
    EXPECT_NEAR(big.InkBox().Height(), 80 / kCellPerEm * kCapHeightPerEm, 1.5);
    EXPECT_NEAR(big.InkBox().bottom, 10 + 80 / kCellPerEm * kAscentPerEm, 1.0);
}

TEST(CairoDC, EscapementTurnsTextCounterClockwiseAboutItsStart)
{
    const std::string strText = "Irregular";
    const int nWidth = Measure(Font(40, 15), strText).cx;

    // 90 degrees about the cell's top-left: the text runs upwards from there (not down, as it
    // would turned clockwise) and its cell lies to the right of that point.
    Canvas upright(500, 500);
    Draw(upright, Font(40, 15, 900), strText, {0, 0, 500, 450}, TF_SINGLELINE | TF_CENTER | TF_BOTTOM);
    const int x0 = (500 - nWidth) / 2, y0 = 450 - 40;
    const Rect ink = upright.InkBox();
    EXPECT_TRUE(ink.left >= x0 - 1 && ink.right <= x0 + 41 && ink.bottom <= y0 + 1 && ink.top >= y0 - nWidth - 1)
        << ink;
    EXPECT_GT(ink.Height(), nWidth * 3 / 4) << ink;
}

TEST(CairoDC, StrikeOutCrossesTheTextOnlyWhenSet)
{
    // The space between two letters has ink only where a line is drawn across.
    FontSpec font = Font(30, 10);
    const int xGap = 10 + (Measure(font, "o").cx + Measure(font, "o ").cx) / 2;
    const Rect gap{xGap - 1, 0, xGap + 2, 100};
    Canvas plain(100, 100), struck(100, 100);
    Draw(plain, font, "o o", {10, 10, 100, 100}, TF_LEFT_TOP);
    font.StrikeOut = true;
    Draw(struck, font, "o o", {10, 10, 100, 100}, TF_LEFT_TOP);
    ASSERT_GT(plain.InkBox().Width(), 0);
    EXPECT_EQ(plain.InkBox(gap), Rect{}) << plain.InkBox(gap);
    // Through the letters, between baseline and cap height, not under or over them.
    const double fEm = 30 / kCellPerEm, fBaseline = 10 + fEm * kAscentPerEm;
    const Rect line = struck.InkBox(gap);
    EXPECT_EQ(line.Width(), 3) << line;
    EXPECT_GE(line.top, fBaseline - 0.45 * fEm) << line;
    EXPECT_LE(line.bottom, fBaseline - 0.15 * fEm + 1) << line;
}

TEST(CairoDC, DrawTextPlacesLinesByItsFormatAndClipsToItsRect)
{
    const FontSpec font = Font(40, 0);
    const double fBaselineBelowTop = 40 / kCellPerEm * kAscentPerEm;

    // TF_CENTER: every line centred on its own, lines one cell apart from the top.
    Canvas centred(600, 300);
    Draw(centred, font, "HH\nHHHHHH", {100, 20, 500, 300}, TF_CENTER);
    const Rect first = centred.InkBox({0, 0, 600, 60}), second = centred.InkBox({0, 60, 600, 300});
    EXPECT_NEAR(CentreX(first), 300, 2.0) << first;
    EXPECT_NEAR(CentreX(second), 300, 2.0) << second;
    EXPECT_NEAR(first.bottom, 20 + fBaselineBelowTop, 1.0);
    EXPECT_EQ(second.bottom - first.bottom, 40);

    // Single line centred both ways: the cell, not the ink, is centred; no line break.
    Canvas middle(600, 300);
    Draw(middle, font, "HH\nHH", {100, 50, 500, 250}, TF_SINGLELINE | TF_CENTER | TF_VCENTER);
    const Rect middleInk = middle.InkBox();
    EXPECT_NEAR(CentreX(middleInk), 300, 2.0) << middleInk;
    EXPECT_NEAR(middleInk.bottom, 50 + (200 - 40) / 2 + fBaselineBelowTop, 1.0) << middleInk;
    EXPECT_LE(middleInk.Height(), 40);

    // Single line at the bottom: the cell ends at rect.bottom.
    Canvas bottom(600, 300);
    Draw(bottom, font, "Hg", {100, 50, 500, 250}, TF_SINGLELINE | TF_CENTER | TF_BOTTOM);
    const Rect bottomInk = bottom.InkBox();
    EXPECT_NEAR(CentreX(bottomInk), 300, 2.0) << bottomInk;
    EXPECT_LE(bottomInk.bottom, 250);
    const Rect capital = bottom.InkBox({0, 50, bottomInk.left + 15, 250});
    EXPECT_NEAR(capital.bottom, 250 - 40 + fBaselineBelowTop, 1.0) << capital;

    // Text too big for its rect, level or turned, leaves no ink outside it.
    for (const FontSpec& big : {Font(40, 0), Font(40, 0, 500)})
    {
        Canvas clipped(300, 300);
        const Rect rect{100, 100, 170, 125};
        Draw(clipped, big, "Irregular verbs", rect, TF_SINGLELINE | TF_BOTTOM);
        const Rect ink = clipped.InkBox();
        EXPECT_TRUE(ink.Width() > 0 && ink.left >= rect.left && ink.top >= rect.top && ink.right <= rect.right &&
                    ink.bottom <= rect.bottom)
            << ink << " with escapement " << big.Escapement;
    }
}

TEST(CairoDC, TextExtentAgreesWithDrawnText)
{
    // The end of a drawn prefix is where the measured width says, so a caret at
    // left + cx - 1 sits right after it; also with a stretched font.
    for (const FontSpec& font : {Font(30, 20), Font(16, 0)})
    {
        SCOPED_TRACE(font.Width);
        Canvas prefix(400, 50), whole(400, 50);
        Draw(prefix, font, "HHH", {10, 10, 400, 50}, TF_LEFT_TOP);
        Draw(whole, font, "HHHH", {10, 10, 400, 50}, TF_LEFT_TOP);
        const int nCaret = 10 + Measure(font, "HHH").cx - 1;
        EXPECT_LE(prefix.InkBox().right - 1, nCaret);
        EXPECT_GE(prefix.InkBox().right - 1, nCaret - font.Height / 4);
        // The fourth letter starts after the caret.
        EXPECT_EQ(whole.InkBox({0, 0, nCaret + 1, 50}), prefix.InkBox({0, 0, nCaret + 1, 50}));
        EXPECT_GT(whole.InkBox({nCaret + 1, 0, 400, 50}).Width(), 0);
    }
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
    const std::pair<Rect, Colour> drawn[] = {{{10, 10, 30, 25}, green}, {{35, 30, 38, 45}, kWhite}};
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
        {
            Colour expected = kGrey;
            for (const auto& [r, fill] : drawn)
                if (r.Contains(x, y))
                    expected = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1 ? kBlack : fill;
            ASSERT_EQ(canvas.At(x, y), expected) << "at " << x << ", " << y;
        }
}

TEST(CairoDC, LatinOneBytesRenderAndControlBytesAreSafe)
{
    // 0xE9 is e with an acute accent: an e with ink above it, as wide as an e.
    const FontSpec font = Font(40, 0);
    Canvas accented(100, 80), plain(100, 80);
    Draw(accented, font, "\xE9", {10, 10, 100, 80}, TF_LEFT_TOP);
    Draw(plain, font, "e", {10, 10, 100, 80}, TF_LEFT_TOP);
    ASSERT_GT(plain.InkBox().Width(), 0);
    EXPECT_EQ(accented.InkBox().bottom, plain.InkBox().bottom);
    EXPECT_LT(accented.InkBox().top, plain.InkBox().top - 5);
    EXPECT_EQ(Measure(font, "\xE9").cx, Measure(font, "e").cx);

    // Control bytes, NUL included, take no room and leave the rest of the line in place.
    const std::string strWithControls("ab\0c\x01\td\r\x7F\x85", 11);
    Canvas withControls(200, 80), without(200, 80);
    Draw(withControls, font, strWithControls, {10, 10, 200, 80}, TF_LEFT_TOP);
    Draw(without, font, "abcd", {10, 10, 200, 80}, TF_LEFT_TOP);
    EXPECT_EQ(withControls.InkBox(), without.InkBox());
    EXPECT_EQ(Measure(font, strWithControls).cx, Measure(font, "abcd").cx);
}

TEST(LoadPicture, MasksAreBlackExactlyWhereThePictureIsNotWhite)
{
    const std::pair<Picture, Picture> pairs[] = {{Picture::HappyRabbit, Picture::HappyRabbitMask},
                                                 {Picture::SadRabbit, Picture::SadRabbitMask},
                                                 {Picture::HappyFace, Picture::FaceMask}, {Picture::SadFace, Picture::FaceMask}};
    for (const auto& [picture, mask] : pairs)
    {
        SCOPED_TRACE(static_cast<int>(picture));
        const PixelImage image = LoadPicture(picture), cutout = LoadPicture(mask);
        ASSERT_TRUE(image.Width == 48 && image.Height == 48 && image.Pixels.size() == 48u * 48u);
        ASSERT_EQ(cutout.Pixels.size(), image.Pixels.size());
        for (size_t n = 0; n < cutout.Pixels.size(); ++n)
            ASSERT_EQ(cutout.Pixels[n], image.Pixels[n] == 0xFFFFFF ? 0xFFFFFFu : 0x000000u) << "pixel " << n;
    }
}

TEST(CairoDC, MaskedPictureIsScaledCrispByNearestNeighbour)
{
    const PixelImage picture = LoadPicture(Picture::HappyRabbit), mask = LoadPicture(Picture::HappyRabbitMask);
    const Rect dest{25, 20, 175, 170};
    Canvas canvas(200, 200, kGrey);
    CairoDC(canvas.Cairo(), LoadPicture).DrawMaskedPicture(Picture::HappyRabbitMask, Picture::HappyRabbit, dest);

    // The source pixels nearest to a destination pixel: two where its centre falls on a border.
    // Pixels the mask lets through must take the picture's colours, so drawing nothing fails.
    const auto sources = [](int n) {
        const double fSource = (n + 0.5) * 48.0 / 150;
        return std::pair(std::clamp(static_cast<int>(std::floor(fSource - 1e-6)), 0, 47),
                         std::clamp(static_cast<int>(std::floor(fSource + 1e-6)), 0, 47));
    };
    const auto colourAt = [&](int sx, int sy) {
        const std::uint32_t rgb = picture.Pixels[static_cast<size_t>(sy * 48 + sx)];
        return mask.Pixels[static_cast<size_t>(sy * 48 + sx)] ? kGrey : Rgb(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
    };
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
        {
            const Colour actual = canvas.At(x, y);
            const auto [sx1, sx2] = sources(x - dest.left);
            const auto [sy1, sy2] = sources(y - dest.top);
            if (!dest.Contains(x, y))
                ASSERT_EQ(actual, kGrey) << "outside at " << x << ", " << y;
            else
                ASSERT_TRUE(actual == colourAt(sx1, sy1) || actual == colourAt(sx1, sy2) ||
                            actual == colourAt(sx2, sy1) || actual == colourAt(sx2, sy2))
                    << "at " << x << ", " << y;
        }
}
