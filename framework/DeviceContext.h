// The drawing surface the view paints on: a small device context in the manner of the
// classic one, with fonts described by cell height and average character width.
// Implemented over cairo for windows, bitmaps and printing, and by a recorder in tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top inclusive, right and bottom exclusive.
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const Rect& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool operator==(const Rect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct Size
{
    int cx = 0;
    int cy = 0;
};

// 0x00BBGGRR, as the classic colour reference.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }

// A font as the classic font-creation call describes it. Height is the cell height in
// pixels (ascent plus descent); Width the average character width, 0 for the face's
// own proportions; Escapement the angle of the baseline in tenths of a degree,
// counter-clockwise; Weight 0 for the default, 600 and above bold.
struct FontSpec
{
    std::string Face = "Arial";
    int Height = 0;
    int Width = 0;
    int Escapement = 0;
    int Weight = 0;
    bool StrikeOut = false;

    bool operator==(const FontSpec& other) const
    {
        return Face == other.Face && Height == other.Height && Width == other.Width &&
               Escapement == other.Escapement && Weight == other.Weight && StrikeOut == other.StrikeOut;
    }
};

// DrawText formats, in the classic values but named apart from the platform's macros;
// 0 is left and top, lines broken at line feeds.
enum DrawTextFlags : unsigned
{
    TF_LEFT_TOP = 0x00,
    TF_CENTER = 0x01,
    TF_VCENTER = 0x04,
    TF_BOTTOM = 0x08,
    TF_SINGLELINE = 0x20,
};

enum BackgroundMode
{
    BK_TRANSPARENT = 1,
    BK_OPAQUE = 2,
};

// The result pictures, each 48 x 48, and the masks that cut them out.
enum class Picture
{
    HappyRabbit,
    HappyRabbitMask,
    SadRabbit,
    SadRabbitMask,
    HappyFace,
    SadFace,
    FaceMask,
};

class CDC
{
public:
    virtual ~CDC() = default;

    virtual int SetBkMode(int nMode) = 0;
    // Both return the colour that was current.
    virtual Colour SetTextColor(Colour colour) = 0;
    virtual Colour GetTextColor() const = 0;

    // Selects a font for the following texts and returns the one it replaces; nullptr
    // stands for the device context's own font. The font must stay alive while selected.
    virtual const FontSpec* SelectFont(const FontSpec* pFont) = 0;
    // Selects a solid brush of this colour, or with nullptr the device context's own
    // (white) brush; returns the brush it replaces. Pens are always the default: black,
    // one pixel, unless a line is drawn with an explicit colour.
    virtual const Colour* SelectBrush(const Colour* pBrush) = 0;

    // Lines are broken at line feeds unless TF_SINGLELINE; the text is clipped to rect.
    virtual void DrawText(const std::string& strText, const Rect& rect, unsigned nFormat) = 0;
    // Outlined with the pen, filled with the brush; right and bottom exclusive.
    virtual void Rectangle(const Rect& rect) = 0;
    // A one-pixel line from (x1, y1) up to, not including, (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2, Colour colour = Rgb(0, 0, 0)) = 0;
    // Width and cell height of the text in the selected font; escapement ignored.
    virtual Size GetTextExtent(const std::string& strText) const = 0;
    // Whether any part of rect lies in the area being drawn.
    virtual bool RectVisible(const Rect& rect) const = 0;
    // Draws the picture scaled into dest where its mask is black; elsewhere the
    // surface is left as it was.
    virtual void DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest) = 0;
};
