// A device context that writes each drawing call, with the font, colour, brush and background
// mode in force ("own": the context's own), as a line of a trace; and measures text simply.
#pragma once

#include "framework/DeviceContext.h"

#include <climits>
#include <cstdio>
#include <numeric>
#include <string>
#include <utility>

inline std::string Format(const char* pszFormat, long long a = 0, long long b = 0, long long c = 0, long long d = 0)
{
    char sz[64];
    std::snprintf(sz, sizeof sz, pszFormat, a, b, c, d);
    return sz;
}

inline std::string Str(const Rect& r) { return Format("%lld,%lld,%lld,%lld", r.left, r.top, r.right, r.bottom); }

// In double quotes; a line feed as \n, other bytes outside printable ASCII as \xNN.
inline std::string Quoted(const std::string& strText)
{
    std::string strOut = "\"";
    for (const unsigned char c : strText)
        strOut += c == '\n' ? "\\n" : c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : Format("\\x%02llX", c);
    return strOut + "\"";
}

class RecordingDC : public CDC
{
public:
    // Lines go to *pTrace, or to this->trace.
    explicit RecordingDC(std::string* pTrace = nullptr, std::string strIndent = "") : m_trace(pTrace ? *pTrace : trace), m_strIndent(std::move(strIndent)) {}

    int SetBkMode(int nMode) override { return std::exchange(m_nBkMode, nMode); }
    Colour SetTextColor(Colour colour) override { return std::exchange(m_colour, colour); }
    Colour GetTextColor() const override { return m_colour; }
    const FontSpec* SelectFont(const FontSpec* pFont) override { return std::exchange(m_pFont, pFont); }
    const Colour* SelectBrush(const Colour* pBrush) override { return std::exchange(m_pBrush, pBrush); }
    void DrawText(const std::string& strText, const Rect& rect, unsigned nFormat) override
    {
        Log("text " + Str(rect) + Format(" format %#llx font ", nFormat) + Font() + " colour " + Name(&m_colour) + (m_nBkMode == BK_TRANSPARENT ? " transparent " : " opaque ") + Quoted(strText));
    }
    void Rectangle(const Rect& rect) override { Log("rectangle " + Str(rect) + " brush " + Name(m_pBrush)); }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override { Log("line " + Str({x1, y1, x2, y2}) + " " + Name(&colour)); }
    // A character is the font's Width plus its code's two low bits wide (own font: 8 plus), a line Height (16).
    Size GetTextExtent(const std::string& strText) const override
    {
        const int nWidth = m_pFont ? m_pFont->Width : 8;
        return {std::accumulate(strText.begin(), strText.end(), 0, [nWidth](int n, char c) { return n + nWidth + (c & 3); }), m_pFont ? m_pFont->Height : 16};
    }
    bool RectVisible(const Rect& rect) const override { return visible.Intersects(rect); }
    void DrawMaskedPicture(Picture mask, Picture picture, const Rect& dest) override { Log("picture " + Str(dest) + " " + kNames[int(picture)] + " through " + kNames[int(mask)]); }


    Rect visible = {INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2}; // the area being drawn
    std::string trace;

private:
    static constexpr const char* kNames[] = {"happy rabbit", "happy rabbit mask", "sad rabbit", "sad rabbit mask", "happy face", "sad face", "face mask"};
    static std::string Name(const Colour* p) { return !p || *p == Rgb(1, 2, 3) ? "own" : Format("%lld/%lld/%lld", RedOf(*p), GreenOf(*p), BlueOf(*p)); }
    std::string Font() const
    {
        return !m_pFont ? "own" : m_pFont->Face + Format(" %lldx%lld turned %lld weight %lld", m_pFont->Height, m_pFont->Width, m_pFont->Escapement, m_pFont->Weight) + (m_pFont->StrikeOut ? " struck" : "");
    }
    void Log(const std::string& strLine) { m_trace += m_strIndent + strLine + "\n"; }

    std::string& m_trace;
    std::string m_strIndent;
    int m_nBkMode = BK_OPAQUE;
    Colour m_colour = Rgb(1, 2, 3); // stands for the context's own colour
    const FontSpec* m_pFont = nullptr;
    const Colour* m_pBrush = nullptr;
};
