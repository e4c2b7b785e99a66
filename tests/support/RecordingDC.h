// A device context that writes each drawing call, with the font, colour, brush and background
// mode in force ("own": the context's own), as a line of a trace; and measures text simply.
#pragma once

#include "framework/DeviceContext.h"

#include <climits>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>
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

// The characters of a UTF-8 text; a byte that starts no valid sequence stands for itself,
// so a Latin-1 text reads as the same characters.
inline std::vector<unsigned> Characters(const std::string& strText)
{
    std::vector<unsigned> characters;
    for (std::size_t i = 0; i < strText.size();)
    {
        const unsigned char c = static_cast<unsigned char>(strText[i]);
        const std::size_t nLength = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
        unsigned nCode = nLength == 1 ? c : c & (0x3F >> (nLength - 1));
        bool bValid = nLength > 1 && i + nLength <= strText.size();
        for (std::size_t j = 1; bValid && j < nLength; ++j)
        {
            const unsigned char next = static_cast<unsigned char>(strText[i + j]);
            bValid = (next & 0xC0) == 0x80;
            nCode = nCode << 6 | (next & 0x3F);
        }
        characters.push_back(bValid ? nCode : c);
        i += bValid ? nLength : 1;
    }
    return characters;
}

// A drawn text by its characters: as Quoted shows Latin-1, above it \u{XXXX}.
inline std::string QuotedCharacters(const std::string& strText)
{
    std::string strOut = "\"";
    for (const unsigned c : Characters(strText))
        strOut += c == '\n' ? "\\n" : c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : c <= 0xFF ? Format("\\x%02llX", c) : Format("\\u{%04llX}", c);
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
        Log("text " + Str(rect) + Format(" format %#llx font ", nFormat) + Font() + " colour " + Name(&m_colour) + (m_nBkMode == BK_TRANSPARENT ? " transparent " : " opaque ") + QuotedCharacters(strText));
    }
    void Rectangle(const Rect& rect) override { Log("rectangle " + Str(rect) + " brush " + Name(m_pBrush)); }
    void Line(int x1, int y1, int x2, int y2, Colour colour) override { Log("line " + Str({x1, y1, x2, y2}) + " " + Name(&colour)); }
    // A character is the font's Width plus its code's two low bits wide (own font: 8 plus), a line Height (16).
    Size GetTextExtent(const std::string& strText) const override
    {
        const int nWidth = m_pFont ? m_pFont->Width : 8;
        const std::vector<unsigned> characters = Characters(strText);
        return {std::accumulate(characters.begin(), characters.end(), 0, [nWidth](int n, unsigned c) { return n + nWidth + int(c & 3); }), m_pFont ? m_pFont->Height : 16};
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
