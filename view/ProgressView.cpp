#include "view/ProgressView.h"

#include "verbdata/ListEncoding.h"

#include <cstdio>
#include <string>

namespace
{

constexpr int kMargin = 12;
constexpr int kAxisLabelWidth = 40;
constexpr int kChartHeight = 160;
constexpr int kRowHeight = 18;
constexpr Colour kBarColour = Rgb(46, 139, 87);
constexpr Colour kGridColour = Rgb(210, 210, 210);

FontSpec TextFont(int nHeight, int nWeight = 0)
{
    FontSpec font;
    font.Height = nHeight;
    font.Weight = nWeight;
    return font;
}

std::string Latin1(const std::string& strUtf8)
{
    std::string strText;
    Utf8ToLatin1(strUtf8, strText);
    return strText;
}

std::string Percent(double fPercent)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%0.1f%%", fPercent);
    return sz;
}

void DrawHeading(CDC* pDC, const std::string& strText, const Rect& rect)
{
    const FontSpec font = TextFont(16, 700);
    const FontSpec* pOld = pDC->SelectFont(&font);
    pDC->DrawText(strText, rect, TF_SINGLELINE);
    pDC->SelectFont(pOld);
}

// One row of the table, each text in its column; the last runs to the right edge.
void DrawRow(CDC* pDC, const std::string (&texts)[5], const int (&columns)[5], const Rect& area, int y)
{
    for (int i = 0; i < 5; ++i)
    {
        const int nRight = i + 1 < 5 ? area.left + columns[i + 1] - 6 : area.right;
        pDC->DrawText(texts[i], {area.left + columns[i], y, nRight, y + kRowHeight}, TF_SINGLELINE);
    }
}

} // namespace

double RightPercent(const LessonScore& lesson)
{
    const double fTotal = static_cast<double>(lesson.m_nRight) + lesson.m_nWrong;
    return fTotal > 0 ? lesson.m_nRight * 100.0 / fTotal : 0.0;
}

CProgressView::CProgressView(HistoryProgress progress, ViewWindow& window)
    : CView(window), m_progress(std::move(progress))
{
}

void CProgressView::OnDraw(CDC* pDC)
{
    const Rect client = m_window.GetClientRect();
    pDC->SetBkMode(BK_TRANSPARENT);
    const Rect inner{client.left + kMargin, client.top + kMargin, client.right - kMargin,
                     client.bottom - kMargin};

    DrawHeading(pDC, "Right answers in your last " + std::to_string(kProgressLessons) + " lessons",
                {inner.left, inner.top, inner.right, inner.top + 22});
    DrawChart(pDC, {inner.left, inner.top + 30, inner.right, inner.top + 30 + kChartHeight});

    const int nMissedTop = inner.top + 30 + kChartHeight + 30;
    DrawHeading(pDC, "Missed most often", {inner.left, nMissedTop, inner.right, nMissedTop + 22});
    const int nTotalsTop = DrawMissed(pDC, {inner.left, nMissedTop + 26, inner.right, inner.bottom}) + 12;

    const FontSpec font = TextFont(14);
    const FontSpec* pOld = pDC->SelectFont(&font);
    const double fRight = m_progress.m_nAnswers
                              ? m_progress.m_nRight * 100.0 / static_cast<double>(m_progress.m_nAnswers)
                              : 0.0;
    pDC->DrawText("Answers: " + std::to_string(m_progress.m_nAnswers) + "     Right: " +
                      Percent(fRight) + "     Days practised: " + std::to_string(m_progress.m_nDays),
                  {inner.left, nTotalsTop, inner.right, nTotalsTop + 20}, TF_SINGLELINE);
    pDC->SelectFont(pOld);
}

// Grid lines at every quarter, labelled on the left; one bar per lesson, the latest on
// the right, its percentage above it.
void CProgressView::DrawChart(CDC* pDC, const Rect& area)
{
    const FontSpec font = TextFont(12);
    const FontSpec* pOld = pDC->SelectFont(&font);
    const Rect plot{area.left + kAxisLabelWidth, area.top + 16, area.right, area.bottom};
    for (int nPercent = 0; nPercent <= 100; nPercent += 25)
    {
        const int y = plot.bottom - 1 - (plot.Height() - 1) * nPercent / 100;
        pDC->Line(plot.left, y, plot.right, y, nPercent == 0 ? Rgb(0, 0, 0) : kGridColour);
        const std::string strLabel = std::to_string(nPercent) + "%";
        const Size extent = pDC->GetTextExtent(strLabel);
        pDC->DrawText(strLabel, {plot.left - 6 - extent.cx, y - extent.cy / 2, plot.left - 4, y + extent.cy},
                      TF_SINGLELINE);
    }
    pDC->Line(plot.left, plot.top, plot.left, plot.bottom);

    const auto& lessons = m_progress.m_lessons;
    if (lessons.empty())
        pDC->DrawText("No lessons yet.", plot, TF_CENTER | TF_VCENTER | TF_SINGLELINE);
    const int nSlot = plot.Width() / static_cast<int>(kProgressLessons);
    const int nBar = nSlot * 2 / 3;
    const Colour* pOldBrush = pDC->SelectBrush(&kBarColour);
    for (std::size_t i = 0; i < lessons.size(); ++i)
    {
        // Right-aligned: the newest lesson always stands at the same place.
        const int x = plot.right - nSlot * static_cast<int>(lessons.size() - i) + (nSlot - nBar) / 2;
        const int nHeight = static_cast<int>((plot.Height() - 1) * RightPercent(lessons[i]) / 100.0 + 0.5);
        if (nHeight > 0)
            pDC->Rectangle({x, plot.bottom - 1 - nHeight, x + nBar, plot.bottom});
        if (i + 1 == lessons.size())
            pDC->DrawText(Percent(RightPercent(lessons[i])),
                          {x - nSlot, plot.bottom - 1 - nHeight - 16, x + nBar + nSlot, plot.bottom},
                          TF_CENTER | TF_SINGLELINE);
    }
    pDC->SelectBrush(pOldBrush);
    pDC->SelectFont(pOld);
}

int CProgressView::DrawMissed(CDC* pDC, const Rect& area)
{
    const FontSpec font = TextFont(13);
    const FontSpec bold = TextFont(13, 700);
    static constexpr int kColumns[5] = {0, 110, 300, 360, 520};
    const FontSpec* pOld = pDC->SelectFont(&bold);
    DrawRow(pDC, {"Verb", "Direction", "Missed", "Last missed", "Last typed"}, kColumns, area, area.top);
    pDC->SelectFont(&font);
    int y = area.top + kRowHeight + 2;
    if (m_progress.m_missed.empty())
    {
        pDC->DrawText("No mistakes so far.", {area.left, y, area.right, y + kRowHeight}, TF_SINGLELINE);
        y += kRowHeight;
    }
    for (const MissedQuestion& missed : m_progress.m_missed)
    {
        // 2026-12-07T04:12:51Z shown as 2026-12-07 04:12 UTC.
        std::string strWhen = missed.m_strLastTime.substr(0, 16);
        if (strWhen.size() > 10)
            strWhen[10] = ' ';
        DrawRow(pDC,
                {Latin1(missed.m_question.m_strVerb), Latin1(missed.m_question.m_strDirection),
                 std::to_string(missed.m_nMissed), strWhen + " UTC", Latin1(missed.m_strLastTyped)},
                kColumns, area, y);
        y += kRowHeight;
    }
    pDC->SelectFont(pOld);
    return y;
}
