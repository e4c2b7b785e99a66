// The device context over cairo: windows (through the toolkit's cairo context), offscreen
// images and PDF pages alike. Texts are UTF-8, laid out by Pango, so that a letter the face
// lacks comes from another installed font. Fonts keep both their cell height and their average
// character width by a font matrix, which also turns them by their escapement.
#pragma once

#include "framework/DeviceContext.h"

#include <cstdint>
#include <functional>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

// A decoded picture: Width x Height pixels, 0x00RRGGBB, row by row.
struct PixelImage
{
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

using PictureSource = std::function<PixelImage(Picture)>;


class CairoDC : public CDC
{
public:
    // Draws on pCairo, which must outlive this object; its current clip is the area
    // being drawn. Pictures come from pictures.
    CairoDC(cairo_t* pCairo, PictureSource pictures);
    ~CairoDC() override;

    int SetBkMode(int nMode) override;
    Colour SetTextColor(Colour colour) override;
    Colour GetTextColor() const override;
    const FontSpec* SelectFont(const FontSpec* pFont) override;
    const Colour* SelectBrush(const Colour* pBrush) override;
    void DrawText(const std::string& strText, const Rect& rect, unsigned nFormat) override;
    void Rectangle(const Rect& rect) override;
    void Line(int x1, int y1, int x2, int y2, Colour colour) override;
    Size GetTextExtent(const std::string& strText) const override;
    bool RectVisible(const Rect& rect) const override;
    void DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest) override;

private:
    struct TextFont;
    class LayoutCache;
    static LayoutCache& Layouts();

    const FontSpec& CurrentFont() const;
    // The layout holding this valid UTF-8 text in this font, fitted to the context's
    // present transformation.
    PangoLayout* LayoutOf(const std::string& strUtf8, const TextFont& font) const;
    // The advance of one line of valid UTF-8 text.
    double WidthOf(const std::string& strUtf8, const TextFont& font) const;
    // Draws one line of valid UTF-8 text whose unrotated cell starts at (x, y), turned about
    // that point by the font's escapement.
    void DrawTextLine(const std::string& strUtf8, double x, double y, double fWidth, const TextFont& font);

    cairo_t* m_pCairo;
    PictureSource m_pictures;
    int m_nBkMode = BK_OPAQUE;
    Colour m_textColour = Rgb(0, 0, 0);
    const FontSpec* m_pFont = nullptr;
    const Colour* m_pBrush = nullptr;
};
