// The device context over cairo: text laid out by Pango with cell-height and average-width
// fonts, GDI-style rectangles and lines, and masked pictures. Where the pictures come from is
// the caller's.
#include "framework/wx/CairoDC.h"

#include "framework/wx/Pictures.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <list>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// The classic average character width of Arial (xAvgCharWidth) as a fraction of the em:
// a font's Width is honoured by scaling the em horizontally by Width / this.
constexpr double kAverageWidthPerEm = 904.0 / 2048.0;
constexpr int kDefaultCellHeight = 16;

const FontSpec& DefaultFont()
{
    static const FontSpec font = [] {
        FontSpec desc;
        desc.Face = "Arial";
        desc.Height = kDefaultCellHeight;
        return desc;
    }();
    return font;
}

void SetSourceColour(cairo_t* pCairo, Colour colour)
{
    cairo_set_source_rgb(pCairo, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

// Unhinted metrics, so that widths scale exactly with the font and measuring agrees with
// drawing whatever the context's transformation.
void SelectFace(cairo_t* pCairo, const std::string& strFace, bool bBold)
{
    cairo_select_font_face(pCairo, strFace.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_font_options_t* pOptions = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(pOptions, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(pCairo, pOptions);
    cairo_font_options_destroy(pOptions);
}

struct FaceMetrics
{
    double fCellPerEm = 1.0;
    double fAscentPerEm = 1.0;
};

// Ascent and descent per em of a face, measured once per face and weight.
FaceMetrics MetricsOf(const std::string& strFace, bool bBold)
{
    static std::mutex mutex;
    static std::map<std::pair<std::string, bool>, FaceMetrics> cache;
    std::lock_guard<std::mutex> lock(mutex);
    const auto key = std::make_pair(strFace, bBold);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;

    constexpr double kSize = 1000.0;
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* pCairo = cairo_create(pSurface);
    SelectFace(pCairo, strFace, bBold);
    cairo_set_font_size(pCairo, kSize);
    cairo_font_extents_t extents{};
    cairo_font_extents(pCairo, &extents);
    cairo_destroy(pCairo);
    cairo_surface_destroy(pSurface);

    FaceMetrics metrics;
    if (extents.ascent > 0 && extents.ascent + extents.descent > 0)
    {
        metrics.fCellPerEm = (extents.ascent + extents.descent) / kSize;
        metrics.fAscentPerEm = extents.ascent / kSize;
    }
    cache.emplace(key, metrics);
    return metrics;
}

// The text as valid UTF-8 for Pango, which draws nothing of a text with one bad byte: each
// byte that starts no well-formed character becomes U+FFFD. Control characters (C0 including
// the line feed, DEL, C1) are dropped, so they draw as nothing and take no width.
std::string SanitisedUtf8(const std::string& strText)
{
    std::string strUtf8;
    strUtf8.reserve(strText.size());
    const char* p = strText.data();
    const char* const pEnd = p + strText.size();
    while (p < pEnd)
    {
        if (*p == '\0')
        {
            ++p;
            continue;
        }
        const gunichar ch = g_utf8_get_char_validated(p, pEnd - p);
        if (ch == static_cast<gunichar>(-1) || ch == static_cast<gunichar>(-2))
        {
            strUtf8 += "\xEF\xBF\xBD";
            ++p;
            continue;
        }
        char buffer[6];
        const int nLength = g_unichar_to_utf8(ch, buffer);
        p += nLength;
        if (ch >= 0x20 && !(ch >= 0x7F && ch < 0xA0))
            strUtf8.append(buffer, nLength);
    }
    return strUtf8;
}

// Adds a rectangle of whole pixels to the path; nothing when empty.
void FillPixels(cairo_t* pCairo, int x, int y, int nWidth, int nHeight)
{
    if (nWidth > 0 && nHeight > 0)
        cairo_rectangle(pCairo, x, y, nWidth, nHeight);
}
} // namespace

struct CairoDC::TextFont
{
    std::string strFace;
    bool bBold = false;
    int nCell = kDefaultCellHeight;
    double fEm = 0.0;
    double fScaleX = 0.0;
    double fAscent = 0.0;
    double fAngle = 0.0; // radians, counter-clockwise on the screen
    bool bStrikeOut = false;

    explicit TextFont(const FontSpec& desc)
        : strFace(desc.Face.empty() ? "Arial" : desc.Face), bBold(desc.Weight >= 600), bStrikeOut(desc.StrikeOut)
    {
        const FaceMetrics metrics = MetricsOf(strFace, bBold);
        if (desc.Height < 0)
        {
            // As in the classic call, a negative height is the em size.
            fEm = -desc.Height;
            nCell = static_cast<int>(std::lround(fEm * metrics.fCellPerEm));
        }
        else
        {
            nCell = desc.Height > 0 ? desc.Height : kDefaultCellHeight;
            fEm = nCell / metrics.fCellPerEm;
        }
        fScaleX = desc.Width != 0 ? std::abs(desc.Width) / kAverageWidthPerEm : fEm;
        fAscent = fEm * metrics.fAscentPerEm;
        fAngle = desc.Escapement / 10.0 * kPi / 180.0;
    }

    // The face at its em size; the average width is a horizontal stretch of the drawing.
    PangoFontDescription* Description() const
    {
        PangoFontDescription* pDesc = pango_font_description_new();
        pango_font_description_set_family(pDesc, strFace.c_str());
        pango_font_description_set_weight(pDesc, bBold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_absolute_size(pDesc, fEm * PANGO_SCALE);
        return pDesc;
    }

    double ScaleX() const { return fEm > 0 ? fScaleX / fEm : 1.0; }
};

// The layouts of the texts drawn lately, one set per thread: a window draws the same few
// texts at every repaint, and a layout keeps its shaping while its context stays as it is.
// A context is fitted to one transformation and surface, so there is one for each of the
// few in use (the turned titles have their own).
class CairoDC::LayoutCache
{
public:
    LayoutCache()
    {
        // Letters one after the other by their advances, as a text was always set here.
        m_pAttributes = pango_attr_list_new();
        pango_attr_list_insert(m_pAttributes, pango_attr_font_features_new("kern 0, liga 0, clig 0"));
    }

    ~LayoutCache()
    {
        Clear();
        pango_attr_list_unref(m_pAttributes);
    }

    LayoutCache(const LayoutCache&) = delete;
    LayoutCache& operator=(const LayoutCache&) = delete;

    // The layout of this valid UTF-8 text in this font, fitted to pCairo as it is now.
    PangoLayout* Get(cairo_t* pCairo, const std::string& strUtf8, const TextFont& font)
    {
        const size_t nContext = ContextFor(pCairo);
        char szFont[80];
        std::snprintf(szFont, sizeof szFont, "%zu %a %d|", m_contexts[nContext].nId, font.fEm, int(font.bBold));
        std::string strKey = szFont + font.strFace + '|' + strUtf8;
        if (auto found = m_index.find(strKey); found != m_index.end())
        {
            m_entries.splice(m_entries.begin(), m_entries, found->second);
            return found->second->second;
        }

        PangoLayout* pLayout = pango_layout_new(m_contexts[nContext].pContext);
        pango_layout_set_attributes(pLayout, m_pAttributes);
        PangoFontDescription* pDesc = font.Description();
        pango_layout_set_font_description(pLayout, pDesc);
        pango_font_description_free(pDesc);
        pango_layout_set_text(pLayout, strUtf8.data(), static_cast<int>(strUtf8.size()));
        m_entries.emplace_front(strKey, pLayout);
        m_index.emplace(std::move(strKey), m_entries.begin());
        if (m_entries.size() > kCapacity)
        {
            m_index.erase(m_entries.back().first);
            g_object_unref(m_entries.back().second);
            m_entries.pop_back();
        }
        return pLayout;
    }

private:
    static constexpr size_t kCapacity = 256;
    static constexpr size_t kContexts = 16;
    using Entry = std::pair<std::string, PangoLayout*>;

    struct Context
    {
        size_t nId;
        cairo_matrix_t matrix;
        cairo_font_options_t* pSurfaceOptions;
        PangoContext* pContext;
    };

    // The context for pCairo's transformation (a shift changes no letter) and surface.
    size_t ContextFor(cairo_t* pCairo)
    {
        cairo_matrix_t matrix;
        cairo_get_matrix(pCairo, &matrix);
        matrix.x0 = matrix.y0 = 0;
        cairo_font_options_t* pOptions = cairo_font_options_create();
        cairo_surface_get_font_options(cairo_get_target(pCairo), pOptions);
        for (size_t i = 0; i < m_contexts.size(); ++i)
            if (std::memcmp(&matrix, &m_contexts[i].matrix, sizeof matrix) == 0 &&
                cairo_font_options_equal(pOptions, m_contexts[i].pSurfaceOptions))
            {
                cairo_font_options_destroy(pOptions);
                return i;
            }
        if (m_contexts.size() == kContexts)
            Clear();

        PangoContext* pContext = pango_font_map_create_context(pango_cairo_font_map_get_default());
        // Unhinted metrics at unrounded positions, so that widths scale exactly with the
        // font and measuring agrees with drawing whatever the context's transformation.
        cairo_font_options_t* pOwn = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(pOwn, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(pContext, pOwn);
        cairo_font_options_destroy(pOwn);
        pango_context_set_round_glyph_positions(pContext, FALSE);
        pango_cairo_update_context(pCairo, pContext);
        m_contexts.push_back({m_nNextId++, matrix, pOptions, pContext});
        return m_contexts.size() - 1;
    }

    void Clear()
    {
        for (Entry& entry : m_entries)
            g_object_unref(entry.second);
        m_entries.clear();
        m_index.clear();
        for (Context& context : m_contexts)
            cairo_font_options_destroy(context.pSurfaceOptions), g_object_unref(context.pContext);
        m_contexts.clear();
    }

    PangoAttrList* m_pAttributes = nullptr;
    std::vector<Context> m_contexts;
    size_t m_nNextId = 0;
    std::list<Entry> m_entries; // the most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
};

CairoDC::LayoutCache& CairoDC::Layouts()
{
    thread_local LayoutCache cache;
    return cache;
}

CairoDC::CairoDC(cairo_t* pCairo, PictureSource pictures) : m_pCairo(pCairo), m_pictures(std::move(pictures)) {}

CairoDC::~CairoDC() = default;

int CairoDC::SetBkMode(int nMode)
{
    return std::exchange(m_nBkMode, nMode);
}

Colour CairoDC::SetTextColor(Colour colour)
{
    return std::exchange(m_textColour, colour);
}

Colour CairoDC::GetTextColor() const
{
    return m_textColour;
}

const FontSpec* CairoDC::SelectFont(const FontSpec* pFont)
{
    return std::exchange(m_pFont, pFont);
}

const Colour* CairoDC::SelectBrush(const Colour* pBrush)
{
    return std::exchange(m_pBrush, pBrush);
}

const FontSpec& CairoDC::CurrentFont() const
{
    return m_pFont ? *m_pFont : DefaultFont();
}

PangoLayout* CairoDC::LayoutOf(const std::string& strUtf8, const TextFont& font) const
{
    return Layouts().Get(m_pCairo, strUtf8, font);
}

double CairoDC::WidthOf(const std::string& strUtf8, const TextFont& font) const
{
    if (strUtf8.empty())
        return 0.0;
    PangoRectangle logical{};
    pango_layout_get_extents(LayoutOf(strUtf8, font), nullptr, &logical);
    return logical.width / double(PANGO_SCALE) * font.ScaleX();
}

void CairoDC::DrawText(const std::string& strText, const Rect& rect, unsigned nFormat)
{
    const TextFont font(CurrentFont());
    const bool bSingleLine = (nFormat & TF_SINGLELINE) != 0;

    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_rectangle(m_pCairo, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(m_pCairo);

    size_t nStart = 0;
    for (int nLine = 0; nStart <= strText.size(); ++nLine)
    {
        size_t nEnd = bSingleLine ? std::string::npos : strText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        const std::string strUtf8 = SanitisedUtf8(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;

        const double fWidth = WidthOf(strUtf8, font);
        double x = rect.left;
        if (nFormat & TF_CENTER)
            x += std::floor((rect.Width() - fWidth) / 2);
        int y = rect.top + nLine * font.nCell;
        if (bSingleLine && (nFormat & TF_VCENTER))
            y = rect.top + (rect.Height() - font.nCell) / 2;
        else if (bSingleLine && (nFormat & TF_BOTTOM))
            y = rect.bottom - font.nCell;
        DrawTextLine(strUtf8, x, y, fWidth, font);
    }
    cairo_restore(m_pCairo);
}

void CairoDC::DrawTextLine(const std::string& strUtf8, double x, double y, double fWidth, const TextFont& font)
{
    cairo_save(m_pCairo);
    cairo_translate(m_pCairo, x, y);
    if (font.fAngle != 0.0)
        cairo_rotate(m_pCairo, -font.fAngle);
    if (m_nBkMode == BK_OPAQUE && fWidth > 0)
    {
        cairo_set_source_rgb(m_pCairo, 1, 1, 1);
        cairo_rectangle(m_pCairo, 0, 0, fWidth, font.nCell);
        cairo_fill(m_pCairo);
    }
    SetSourceColour(m_pCairo, m_textColour);
    if (!strUtf8.empty())
    {
        // The first line's baseline where the face's ascent puts it, whichever font a
        // letter falls back to. The layout's sizes are the device's: it is fitted to the
        // context before the stretch, which then widens the letters as drawn.
        PangoLayout* pLayout = LayoutOf(strUtf8, font);
        cairo_save(m_pCairo);
        cairo_scale(m_pCairo, font.ScaleX(), 1.0);
        cairo_move_to(m_pCairo, 0, font.fAscent - pango_layout_get_baseline(pLayout) / double(PANGO_SCALE));
        pango_cairo_show_layout(m_pCairo, pLayout);
        cairo_new_path(m_pCairo);
        cairo_restore(m_pCairo);
    }
    if (font.bStrikeOut && fWidth > 0)
    {
        const long nThickness = std::max(1L, std::lround(font.fEm / 14));
        const long nTop = std::lround(font.fAscent - 0.3 * font.fEm - nThickness / 2.0);
        cairo_rectangle(m_pCairo, 0, nTop, fWidth, nThickness);
        cairo_fill(m_pCairo);
    }
    cairo_restore(m_pCairo);
}

Size CairoDC::GetTextExtent(const std::string& strText) const
{
    const TextFont font(CurrentFont());
    const double fWidth = WidthOf(SanitisedUtf8(strText), font);
    return {static_cast<int>(std::lround(fWidth)), font.nCell};
}

void CairoDC::Rectangle(const Rect& rect)
{
    const int nLeft = std::min(rect.left, rect.right);
    const int nTop = std::min(rect.top, rect.bottom);
    const int nWidth = std::abs(rect.Width());
    const int nHeight = std::abs(rect.Height());
    if (nWidth == 0 || nHeight == 0)
        return;

    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_set_antialias(m_pCairo, CAIRO_ANTIALIAS_NONE);
    SetSourceColour(m_pCairo, m_pBrush ? *m_pBrush : Rgb(255, 255, 255));
    FillPixels(m_pCairo, nLeft + 1, nTop + 1, nWidth - 2, nHeight - 2);
    cairo_fill(m_pCairo);
    SetSourceColour(m_pCairo, Rgb(0, 0, 0));
    FillPixels(m_pCairo, nLeft, nTop, nWidth, 1);
    FillPixels(m_pCairo, nLeft, nTop + nHeight - 1, nWidth, 1);
    FillPixels(m_pCairo, nLeft, nTop + 1, 1, nHeight - 2);
    FillPixels(m_pCairo, nLeft + nWidth - 1, nTop + 1, 1, nHeight - 2);
    cairo_fill(m_pCairo);
    cairo_restore(m_pCairo);
}

void CairoDC::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_set_antialias(m_pCairo, CAIRO_ANTIALIAS_NONE);
    SetSourceColour(m_pCairo, colour);
    if (y1 == y2)
    {
        FillPixels(m_pCairo, x1 < x2 ? x1 : x2 + 1, y1, std::abs(x2 - x1), 1);
    }
    else if (x1 == x2)
    {
        FillPixels(m_pCairo, x1, y1 < y2 ? y1 : y2 + 1, 1, std::abs(y2 - y1));
    }
    else
    {
        // Bresenham, stopping before the end point.
        const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int nError = dx + dy;
        for (int x = x1, y = y1; x != x2 || y != y2;)
        {
            FillPixels(m_pCairo, x, y, 1, 1);
            const int nTwice = 2 * nError;
            if (nTwice >= dy)
            {
                nError += dy;
                x += sx;
            }
            if (nTwice <= dx)
            {
                nError += dx;
                y += sy;
            }
        }
    }
    cairo_fill(m_pCairo);
    cairo_restore(m_pCairo);
}

bool CairoDC::RectVisible(const Rect& rect) const
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    auto intersects = [&rect](double x, double y, double fWidth, double fHeight) {
        return rect.left < x + fWidth && x < rect.right && rect.top < y + fHeight && y < rect.bottom;
    };

    cairo_rectangle_list_t* pList = cairo_copy_clip_rectangle_list(m_pCairo);
    if (pList->status == CAIRO_STATUS_SUCCESS)
    {
        bool bVisible = false;
        for (int i = 0; i < pList->num_rectangles && !bVisible; ++i)
        {
            const cairo_rectangle_t& clip = pList->rectangles[i];
            bVisible = intersects(clip.x, clip.y, clip.width, clip.height);
        }
        cairo_rectangle_list_destroy(pList);
        return bVisible;
    }
    cairo_rectangle_list_destroy(pList);

    // A clip that is not a set of rectangles in user space: judge by its extents.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(m_pCairo, &x1, &y1, &x2, &y2);
    return intersects(x1, y1, x2 - x1, y2 - y1);
}

void CairoDC::DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest)
{
    if (!m_pictures || dest.Width() <= 0 || dest.Height() <= 0)
        return;
    const int nWidth = dest.Width();
    const int nHeight = dest.Height();
    std::vector<std::uint32_t> pixels = MaskedPixels(m_pictures(mask), m_pictures(picture), nWidth, nHeight);
    if (pixels.empty())
        return;
    cairo_surface_t* pImage = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, nWidth, nHeight);
    if (cairo_surface_status(pImage) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(pImage);
        return;
    }
    cairo_surface_flush(pImage);
    unsigned char* pData = cairo_image_surface_get_data(pImage);
    const int nStride = cairo_image_surface_get_stride(pImage);
    for (int y = 0; y < nHeight; ++y)
        std::copy_n(pixels.data() + static_cast<size_t>(y) * nWidth, nWidth,
                    reinterpret_cast<std::uint32_t*>(pData + static_cast<size_t>(y) * nStride));
    cairo_surface_mark_dirty(pImage);

    cairo_save(m_pCairo);
    cairo_new_path(m_pCairo);
    cairo_set_source_surface(m_pCairo, pImage, dest.left, dest.top);
    cairo_pattern_set_filter(cairo_get_source(m_pCairo), CAIRO_FILTER_NEAREST);
    cairo_rectangle(m_pCairo, dest.left, dest.top, nWidth, nHeight);
    cairo_fill(m_pCairo);
    cairo_restore(m_pCairo);
    cairo_surface_destroy(pImage);
}
