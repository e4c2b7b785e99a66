// The device context over Windows' GDI, for windows and printed pages. GDI is the very
// interface the fonts here are described in: a font's cell height, average width and
// escapement go into the font as they are, and texts are laid out by GDI itself.
#pragma once

#include "framework/wx/CairoDC.h"

#include <memory>

struct HDC__;
typedef HDC__* HDC;

class GdiDC : public CDC
{
public:
    // Draws on hDC, which must outlive this object; its clip region is the area being
    // drawn. Everything selected into hDC is put back when this object goes.
    GdiDC(HDC hDC, PictureSource pictures);
    ~GdiDC() override;
    GdiDC(const GdiDC&) = delete;
    GdiDC& operator=(const GdiDC&) = delete;

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
    struct Objects;

    HDC m_hDC;
    PictureSource m_pictures;
    const FontSpec* m_pFont = nullptr;
    const Colour* m_pBrush = nullptr;
    std::unique_ptr<Objects> m_pObjects;
};
