// A device context that records what is drawn, with the font and colour in force,
// and measures text with simple fixed metrics: each character is the font's Width
// wide (half its Height when Width is 0; 8 pixels in the device context's own font).
#pragma once

#include "framework/DeviceContext.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct DrawnItem
{
    enum Kind
    {
        Text,
        Rectangle,
        Line,
        Picture
    };
    explicit DrawnItem(Kind k) : kind(k) {}

    Kind kind;
    std::string text;                 // Text
    Rect rect;                        // Text, Rectangle, Picture (destination)
    unsigned format = 0;              // Text
    std::optional<FontSpec> font;     // Text; empty for the device context's own font
    Colour colour = 0;                // Text: the text colour; Line: the pen colour
    std::optional<Colour> brush;      // Rectangle; empty for the device context's own brush
    int bkMode = 0;                   // Text
    ::Picture mask = ::Picture::FaceMask, picture = ::Picture::FaceMask; // Picture
};

class RecordingDC : public CDC
{
public:
    static constexpr Colour kInitialColour = Rgb(1, 2, 3);
    static constexpr int kOwnFontCharWidth = 8;
    static constexpr int kOwnFontHeight = 16;

    int SetBkMode(int nMode) override
    {
        const int nOld = m_nBkMode;
        m_nBkMode = nMode;
        return nOld;
    }
    Colour SetTextColor(Colour colour) override
    {
        const Colour old = m_colour;
        m_colour = colour;
        return old;
    }
    Colour GetTextColor() const override { return m_colour; }
    const FontSpec* SelectFont(const FontSpec* pFont) override
    {
        const FontSpec* pOld = m_pFont;
        m_pFont = pFont;
        ++fontSelections;
        return pOld;
    }
    const Colour* SelectBrush(const Colour* pBrush) override
    {
        const Colour* pOld = m_pBrush;
        m_pBrush = pBrush;
        return pOld;
    }
    void DrawText(const std::string& strText, const Rect& rect, unsigned nFormat) override
    {
        DrawnItem item{DrawnItem::Text};
        item.text = strText;
        item.rect = rect;
        item.format = nFormat;
        if (m_pFont)
            item.font = *m_pFont;
        item.colour = m_colour;
        item.bkMode = m_nBkMode;
        items.push_back(item);
    }
    void Rectangle(const Rect& rect) override
    {
        DrawnItem item{DrawnItem::Rectangle};
        item.rect = rect;
        if (m_pBrush)
            item.brush = *m_pBrush;
        items.push_back(item);
    }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override
    {
        DrawnItem item{DrawnItem::Line};
        item.rect = {x1, y1, x2, y2};
        item.colour = colour;
        if (m_pFont)
            item.font = *m_pFont;
        items.push_back(item);
    }
    Size GetTextExtent(const std::string& strText) const override
    {
        const int nCharWidth = !m_pFont ? kOwnFontCharWidth : m_pFont->Width > 0 ? m_pFont->Width : m_pFont->Height / 2;
        int nWidth = 0;
        for (char c : strText)
        {
            const auto it = charWidths.find(c);
            nWidth += it == charWidths.end() ? nCharWidth : it->second;
        }
        return {nWidth, m_pFont ? m_pFont->Height : kOwnFontHeight};
    }
    bool RectVisible(const Rect& rect) const override
    {
        return !visibleArea || visibleArea->Intersects(rect);
    }
    void DrawMaskedPicture(::Picture mask, ::Picture picture, const Rect& dest) override
    {
        DrawnItem item{DrawnItem::Picture};
        item.mask = mask;
        item.picture = picture;
        item.rect = dest;
        items.push_back(item);
    }

    std::vector<DrawnItem> Find(DrawnItem::Kind kind) const
    {
        std::vector<DrawnItem> found;
        for (const DrawnItem& item : items)
            if (item.kind == kind)
                found.push_back(item);
        return found;
    }
    // The one text item with this text; fails the test when there is none or several.
    const DrawnItem* FindText(const std::string& strText) const
    {
        const DrawnItem* pFound = nullptr;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Text && item.text == strText)
            {
                if (pFound)
                    return nullptr;
                pFound = &item;
            }
        return pFound;
    }

    const FontSpec* SelectedFont() const { return m_pFont; }
    const Colour* SelectedBrush() const { return m_pBrush; }

    std::vector<DrawnItem> items;
    std::optional<Rect> visibleArea; // empty: everything is visible
    std::map<char, int> charWidths;  // widths that differ from the font's
    int fontSelections = 0;

private:
    int m_nBkMode = BK_OPAQUE;
    Colour m_colour = kInitialColour;
    const FontSpec* m_pFont = nullptr;
    const Colour* m_pBrush = nullptr;
};
