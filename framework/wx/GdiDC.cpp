// <windows.h> comes first: its DrawText macro is undone before our member is declared.
#include <windows.h>
#undef DrawText

#include "framework/wx/GdiDC.h"

#include "framework/wx/Pictures.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{

constexpr int kDefaultCellHeight = 16;

// The texts are UTF-8; a byte that starts no well-formed character becomes U+FFFD, so the
// rest of the text still shows.
std::wstring WideOf(const std::string& str)
{
    if (str.empty())
        return {};
    const int nLength = ::MultiByteToWideChar(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), nullptr, 0);
    std::wstring strWide(static_cast<size_t>(std::max(nLength, 0)), L'\0');
    if (nLength > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), &strWide[0], nLength);
    return strWide;
}

HFONT CreateFontOf(const FontSpec& font)
{
    LOGFONTW desc{};
    desc.lfHeight = font.Height; // positive: the cell height
    desc.lfWidth = font.Width;
    desc.lfEscapement = desc.lfOrientation = font.Escapement;
    desc.lfWeight = font.Weight;
    desc.lfStrikeOut = font.StrikeOut;
    desc.lfCharSet = DEFAULT_CHARSET; // any script: font linking supplies what the face lacks
    desc.lfOutPrecision = OUT_TT_PRECIS; // a TrueType face, which can be stretched and turned
    desc.lfQuality = ANTIALIASED_QUALITY;
    desc.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS; // where the face is missing: a sans-serif one
    const std::wstring strFace = WideOf(font.Face);
    lstrcpynW(desc.lfFaceName, strFace.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&desc);
}

} // namespace

// The GDI objects made for this device context, and those it held before.
struct GdiDC::Objects
{
    HFONT hFont = nullptr, hOldFont = nullptr;
    HBRUSH hBrush = nullptr, hOldBrush = nullptr;
    HPEN hOldPen = nullptr;
};

GdiDC::GdiDC(HDC hDC, PictureSource pictures)
    : m_hDC(hDC), m_pictures(std::move(pictures)), m_pObjects(std::make_unique<Objects>())
{
    ::SetBkMode(m_hDC, OPAQUE);
    ::SetBkColor(m_hDC, RGB(255, 255, 255));
    ::SetTextColor(m_hDC, RGB(0, 0, 0));
    ::SetTextAlign(m_hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    m_pObjects->hOldPen = static_cast<HPEN>(::SelectObject(m_hDC, ::GetStockObject(BLACK_PEN)));
    m_pObjects->hOldBrush = static_cast<HBRUSH>(::SelectObject(m_hDC, ::GetStockObject(WHITE_BRUSH)));
    SelectFont(nullptr);
}

GdiDC::~GdiDC()
{
    ::SelectObject(m_hDC, m_pObjects->hOldPen);
    ::SelectObject(m_hDC, m_pObjects->hOldBrush);
    if (m_pObjects->hOldFont)
        ::SelectObject(m_hDC, m_pObjects->hOldFont);
    if (m_pObjects->hFont)
        ::DeleteObject(m_pObjects->hFont);
    if (m_pObjects->hBrush)
        ::DeleteObject(m_pObjects->hBrush);
}

int GdiDC::SetBkMode(int nMode)
{
    return ::SetBkMode(m_hDC, nMode == BK_TRANSPARENT ? TRANSPARENT : OPAQUE) == TRANSPARENT ? BK_TRANSPARENT
                                                                                          : BK_OPAQUE;
}

Colour GdiDC::SetTextColor(Colour colour)
{
    return ::SetTextColor(m_hDC, colour) & 0xFFFFFF; // COLORREF is 0x00BBGGRR too
}

Colour GdiDC::GetTextColor() const
{
    return ::GetTextColor(m_hDC) & 0xFFFFFF;
}

const FontSpec* GdiDC::SelectFont(const FontSpec* pFont)
{
    const FontSpec* pOld = m_pFont;
    m_pFont = pFont;
    FontSpec font;
    if (pFont)
        font = *pFont;
    else
        font.Height = kDefaultCellHeight;
    const HFONT hFont = CreateFontOf(font);
    const HGDIOBJ hPrevious = ::SelectObject(m_hDC, hFont);
    if (!m_pObjects->hOldFont)
        m_pObjects->hOldFont = static_cast<HFONT>(hPrevious);
    if (m_pObjects->hFont)
        ::DeleteObject(m_pObjects->hFont);
    m_pObjects->hFont = hFont;
    return pOld;
}

const Colour* GdiDC::SelectBrush(const Colour* pBrush)
{
    const Colour* pOld = m_pBrush;
    m_pBrush = pBrush;
    const HBRUSH hBrush = pBrush ? ::CreateSolidBrush(*pBrush) : nullptr;
    ::SelectObject(m_hDC, hBrush ? static_cast<HGDIOBJ>(hBrush) : ::GetStockObject(WHITE_BRUSH));
    if (m_pObjects->hBrush)
        ::DeleteObject(m_pObjects->hBrush);
    m_pObjects->hBrush = hBrush;
    return pOld;
}

void GdiDC::DrawText(const std::string& strText, const Rect& rect, unsigned nFormat)
{
    // The format values are GDI's own; an ampersand is a character, not a mnemonic.
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    const std::wstring strWide = WideOf(strText);
    ::DrawTextW(m_hDC, strWide.c_str(), static_cast<int>(strWide.size()), &box, nFormat | DT_NOPREFIX);
}

void GdiDC::Rectangle(const Rect& rect)
{
    ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiDC::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    const HPEN hPen = ::CreatePen(PS_SOLID, 1, colour);
    const HGDIOBJ hOld = ::SelectObject(m_hDC, hPen);
    ::MoveToEx(m_hDC, x1, y1, nullptr);
    ::LineTo(m_hDC, x2, y2); // GDI stops before the end point, as promised
    ::SelectObject(m_hDC, hOld);
    ::DeleteObject(hPen);
}

Size GdiDC::GetTextExtent(const std::string& strText) const
{
    // Measured with the font unturned: an escapement changes the extent GDI reports.
    FontSpec font = m_pFont ? *m_pFont : FontSpec{};
    if (!m_pFont)
        font.Height = kDefaultCellHeight;
    font.Escapement = 0;
    const HFONT hFont = CreateFontOf(font);
    const HGDIOBJ hOld = ::SelectObject(m_hDC, hFont);
    const std::wstring strWide = WideOf(strText);
    SIZE size{};
    ::GetTextExtentPoint32W(m_hDC, strWide.c_str(), static_cast<int>(strWide.size()), &size);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(m_hDC, &metrics);
    ::SelectObject(m_hDC, hOld);
    ::DeleteObject(hFont);
    return Size{size.cx, metrics.tmHeight};
}

bool GdiDC::RectVisible(const Rect& rect) const
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    const RECT box{rect.left, rect.top, rect.right, rect.bottom};
    return ::RectVisible(m_hDC, &box) != FALSE;
}

void GdiDC::DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest)
{
    if (!m_pictures || dest.Width() <= 0 || dest.Height() <= 0)
        return;
    const int nWidth = dest.Width(), nHeight = dest.Height();
    const std::vector<std::uint32_t> pixels = MaskedPixels(m_pictures(mask), m_pictures(picture), nWidth, nHeight);
    if (pixels.empty())
        return;
    // Premultiplied 0xAARRGGBB is a 32-bit top-down DIB's pixel as it is, so it is blended
    // one to one: opaque where the mask is black, the surface left alone elsewhere.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    const HDC hMemory = ::CreateCompatibleDC(m_hDC);
    const HBITMAP hBitmap = ::CreateDIBSection(hMemory, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hMemory && hBitmap && pBits)
    {
        std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(pBits));
        const HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(m_hDC, dest.left, dest.top, nWidth, nHeight, hMemory, 0, 0, nWidth, nHeight, blend);
        ::SelectObject(hMemory, hOld);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    if (hMemory)
        ::DeleteDC(hMemory);
}
