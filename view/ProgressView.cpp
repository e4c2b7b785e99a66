#include "view/ProgressView.h"

#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbForm.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

namespace
{

constexpr int kMargin = 12;
constexpr int kAxisLabelWidth = 40;
constexpr int kChartHeight = 160;
constexpr int kDateRowHeight = 18; // under the chart
constexpr int kRowHeight = 18;
constexpr int kLineHeight = 16; // the further lines of a row
constexpr int kColumnGap = 8;
constexpr std::size_t kMaxCellLines = 3;
constexpr int kLeastBar = 2; // a lesson without a right answer still shows
constexpr Colour kBarColour = Rgb(46, 139, 87);
constexpr Colour kPracticeColour = Rgb(65, 105, 225);
constexpr Colour kGridColour = Rgb(210, 210, 210);
// Never asked, then boxes 1 to 5: from red to a deep green.
constexpr Colour kBoxColours[kReviewBoxes + 1] = {Rgb(190, 190, 190), Rgb(214, 69, 65),  Rgb(242, 153, 50),
                                                  Rgb(232, 209, 62),  Rgb(139, 195, 74), Rgb(27, 110, 56)};
constexpr int kBoxBarHeight = 24;
constexpr int kDueChartHeight = 60;
// TRANSLATORS: the months, shortened, as in "7 Dec" under the bars of the Progress chart.
constexpr const char* kMonths[] = {TR_NOOP("Jan"), TR_NOOP("Feb"), TR_NOOP("Mar"), TR_NOOP("Apr"),
                                   TR_NOOP("May"), TR_NOOP("Jun"), TR_NOOP("Jul"), TR_NOOP("Aug"),
                                   TR_NOOP("Sep"), TR_NOOP("Oct"), TR_NOOP("Nov"), TR_NOOP("Dec")};

FontSpec TextFont(int nHeight, int nWeight = 0)
{
    FontSpec font;
    font.Height = nHeight;
    font.Weight = nWeight;
    return font;
}

// The bytes of the character that starts at n: 1 for a byte that starts none.
std::size_t CharacterLength(const std::string& strText, std::size_t n)
{
    char32_t ch = 0;
    return std::max<std::size_t>(DecodeUtf8(std::string_view(strText).substr(n), ch), 1);
}

// "Infinitive > Past Tense" with the forms' names translated.
std::string DirectionText(const std::string& strDirection)
{
    const std::size_t nArrow = strDirection.find(" > ");
    if (nArrow == std::string::npos)
        return strDirection;
    const auto translated = [](const std::string& strForm) {
        for (std::int32_t nForm = 0; nForm < kVerbFormCount; ++nForm)
            if (strForm == VerbFormName(nForm))
                return Tr(VerbFormName(nForm));
        return strForm;
    };
    // TRANSLATORS: a direction of the questions, as "Infinitive > Past Tense": {1} is the form
    // given, {2} the form asked for.
    return FillIn(Tr("{1} > {2}"), {translated(strDirection.substr(0, nArrow)), translated(strDirection.substr(nArrow + 3))});
}

std::string Percent(double fPercent)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%0.1f%%", fPercent);
    return sz;
}

// Whole percents, never 100 with a wrong answer nor 0 with a right one.
std::string BarLabel(const LessonScore& lesson)
{
    int nPercent = static_cast<int>(RightPercent(lesson) + 0.5);
    if (nPercent == 100 && lesson.m_nWrong)
        nPercent = 99;
    if (nPercent == 0 && lesson.m_nRight)
        nPercent = 1;
    return std::to_string(nPercent);
}

// 2026-12-07 as "7 Dec", or "7 Dec 2026"; empty for anything else.
std::string DayLabel(const std::string& strDay, bool bYear)
{
    unsigned nYear = 0, nMonth = 0, nDay = 0;
    char cEnd = 0;
    if (strDay.size() != 10 || std::sscanf(strDay.c_str(), "%4u-%2u-%2u%c", &nYear, &nMonth, &nDay, &cEnd) != 3 ||
        nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31)
        return std::string();
    return std::to_string(nDay) + " " + Tr(kMonths[nMonth - 1]) + (bYear ? " " + strDay.substr(0, 4) : "");
}

void DrawHeading(CDC* pDC, const std::string& strText, const Rect& rect)
{
    const FontSpec font = TextFont(16, 700);
    const FontSpec* pOld = pDC->SelectFont(&font);
    pDC->DrawText(strText, rect, TF_SINGLELINE);
    pDC->SelectFont(pOld);
}

// The two bar colours and what they stand for, right-aligned in rect.
void DrawLegend(CDC* pDC, const Rect& rect)
{
    const FontSpec font = TextFont(12);
    const FontSpec* pOld = pDC->SelectFont(&font);
    const Colour* pOldBrush = pDC->SelectBrush(nullptr);
    int x = rect.right;
    const int y = rect.top + (rect.Height() - 10) / 2;
    // TRANSLATORS: the chart's legend: bars of the lessons that practised mistakes (the command
    // of that name) and of ordinary lessons.
    for (const auto& [pColour, strText] : {std::pair{&kPracticeColour, Tr("Practise Mistakes")}, std::pair{&kBarColour, Tr("lesson")}})
    {
        const Size extent = pDC->GetTextExtent(strText);
        x -= extent.cx;
        pDC->DrawText(strText, {x, rect.top, x + extent.cx, rect.bottom}, TF_VCENTER | TF_SINGLELINE);
        x -= 14;
        pDC->SelectBrush(pColour);
        pDC->Rectangle({x, y, x + 10, y + 10});
        x -= 12;
    }
    pDC->SelectBrush(pOldBrush);
    pDC->SelectFont(pOld);
}

// Column widths for the table: each as wide as its widest text where all fit; otherwise
// the narrow ones keep theirs and the rest share what is left alike.
std::vector<int> ColumnWidths(const std::vector<int>& natural, int nTotal)
{
    std::vector<int> widths(natural.size(), -1);
    int nLeft = nTotal;
    for (bool bFixed = true; bFixed;)
    {
        bFixed = false;
        const auto nOpen = static_cast<int>(std::count(widths.begin(), widths.end(), -1));
        if (nOpen == 0)
            break;
        for (std::size_t i = 0; i < natural.size(); ++i)
            if (widths[i] < 0 && natural[i] <= nLeft / nOpen)
            {
                widths[i] = natural[i];
                nLeft -= natural[i];
                bFixed = true;
            }
    }
    const auto nOpen = static_cast<int>(std::count(widths.begin(), widths.end(), -1));
    for (int& nWidth : widths)
        if (nWidth < 0)
            nWidth = nLeft / nOpen;
    return widths;
}

} // namespace

double RightPercent(const LessonScore& lesson)
{
    const double fTotal = static_cast<double>(lesson.m_nRight) + lesson.m_nWrong;
    return fTotal > 0 ? lesson.m_nRight * 100.0 / fTotal : 0.0;
}

std::vector<std::string> WrapText(const CDC& dc, const std::string& strText, int nWidth,
                                  std::size_t nMaxLines)
{
    const auto fits = [&](const std::string& s) { return dc.GetTextExtent(s).cx <= nWidth; };
    std::vector<std::string> lines;
    std::string strLine;
    std::size_t nStart = 0;
    while (nStart < strText.size() && lines.size() <= nMaxLines)
    {
        std::size_t nEnd = strText.find(' ', nStart);
        if (nEnd == std::string::npos)
            nEnd = strText.size();
        std::string strWord = strText.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (strWord.empty())
            continue;
        if (fits(strLine.empty() ? strWord : strLine + " " + strWord))
        {
            strLine += (strLine.empty() ? "" : " ") + strWord;
            continue;
        }
        if (!strLine.empty())
            lines.push_back(std::move(strLine));
        strLine.clear();
        while (!fits(strWord) && lines.size() <= nMaxLines)
        {
            std::size_t n = 1;
            n = CharacterLength(strWord, 0);
            while (n < strWord.size() && fits(strWord.substr(0, n + CharacterLength(strWord, n))))
                n += CharacterLength(strWord, n);
            lines.push_back(strWord.substr(0, n));
            strWord.erase(0, n);
        }
        strLine = std::move(strWord);
    }
    if (!strLine.empty() || lines.empty())
        lines.push_back(std::move(strLine));
    if (lines.size() > nMaxLines)
    {
        lines.resize(nMaxLines);
        std::string& strLast = lines.back();
        while (!strLast.empty() && !fits(strLast + "..."))
        {
            strLast.pop_back();
            while (!strLast.empty() && (static_cast<unsigned char>(strLast.back()) & 0xC0) == 0x80)
                strLast.pop_back();
        }
        strLast += "...";
    }
    return lines;
}

CProgressView::CProgressView(HistoryProgress progress, ViewWindow& window, std::optional<ReviewOverview> review)
    : CView(window), m_progress(std::move(progress)), m_review(std::move(review))
{
}

void CProgressView::OnDraw(CDC* pDC)
{
    Paint(pDC, m_window.GetClientRect(), true);
}

int CProgressView::GetHeight(CDC* pDC, int nWidth)
{
    return Paint(pDC, {0, 0, nWidth, INT_MAX / 2}, false);
}

int CProgressView::Paint(CDC* pDC, const Rect& client, bool bDraw)
{
    pDC->SetBkMode(BK_TRANSPARENT);
    const Rect inner{client.left + kMargin, client.top + kMargin, client.right - kMargin,
                     client.bottom - kMargin};

    const int nChartBottom = inner.top + 30 + kChartHeight + kDateRowHeight;
    if (bDraw)
    {
        const Rect heading{inner.left, inner.top, inner.right, inner.top + 22};
        // TRANSLATORS: the heading of the chart; {1} is how many lessons it shows (20).
        DrawHeading(pDC,
                    FillIn(TrN("Right answers in your last {1} lesson", "Right answers in your last {1} lessons",
                               kProgressLessons),
                           {std::to_string(kProgressLessons)}),
                    heading);
        DrawLegend(pDC, heading);
        DrawChart(pDC, {inner.left, inner.top + 30, inner.right, nChartBottom});
    }

    const int nMissedTop = nChartBottom + 24;
    if (bDraw)
        DrawHeading(pDC, Tr("Missed most often"), {inner.left, nMissedTop, inner.right, nMissedTop + 22});
    const int nTotalsTop = DrawMissed(pDC, {inner.left, nMissedTop + 26, inner.right, inner.bottom}, bDraw) + 12;

    if (bDraw)
    {
        const FontSpec font = TextFont(14);
        const FontSpec* pOld = pDC->SelectFont(&font);
        // Without answers there is no share to give.
        const std::string strAnswers = std::to_string(m_progress.m_nAnswers);
        const std::string strDays = std::to_string(m_progress.m_nDays);
        // TRANSLATORS: the totals under the Progress table; {1} answers, {2} the share right
        // ("62.5%"), {3} days. The spaces keep the three apart.
        const std::string strTotals =
            m_progress.m_nAnswers
                ? FillIn(Tr("Answers: {1}     Right: {2}     Days practised: {3}"),
                         {strAnswers, Percent(m_progress.m_nRight * 100.0 / static_cast<double>(m_progress.m_nAnswers)),
                          strDays})
                // TRANSLATORS: the totals before any answer; {1} answers, {2} days.
                : FillIn(Tr("Answers: {1}     Days practised: {2}"), {strAnswers, strDays});
        pDC->DrawText(strTotals, {inner.left, nTotalsTop, inner.right, nTotalsTop + 20}, TF_SINGLELINE);
        pDC->SelectFont(pOld);
    }
    if (!m_review)
        return nTotalsTop + 20 + kMargin;
    return DrawReview(pDC, {inner.left, nTotalsTop + 20 + 24, inner.right, inner.bottom}, bDraw) + kMargin;
}

// One bar split by box, each part as wide as its share of the list's questions and
// labelled below with its box and count; then a bar per day ahead with the questions due.
int CProgressView::DrawReview(CDC* pDC, const Rect& area, bool bDraw)
{
    const ReviewOverview& review = *m_review;
    const int nBarTop = area.top + 26, nLegendTop = nBarTop + kBoxBarHeight + 4;
    const int nDueHeadingTop = nLegendTop + 18 + 20, nDueTop = nDueHeadingTop + 26;
    const int nBottom = nDueTop + 14 + kDueChartHeight + kDateRowHeight;
    if (!bDraw)
        return nBottom;
    DrawHeading(pDC, Tr("Boxes of the verb list in use"), {area.left, area.top, area.right, area.top + 22});
    const FontSpec font = TextFont(12);
    const FontSpec* pOld = pDC->SelectFont(&font);
    const Colour* pOldBrush = pDC->SelectBrush(nullptr);
    std::uint32_t nTotal = 0;
    for (const std::uint32_t n : review.m_boxes)
        nTotal += n;
    int x = area.left, nLegend = area.left;
    std::uint32_t nBefore = 0;
    for (std::size_t nBox = 0; nBox < review.m_boxes.size(); ++nBox)
    {
        const std::uint32_t n = review.m_boxes[nBox];
        nBefore += n;
        const int nRight = nTotal ? area.left + static_cast<int>(static_cast<long long>(area.Width()) * nBefore / nTotal) : x;
        pDC->SelectBrush(&kBoxColours[nBox]);
        if (nRight > x)
            pDC->Rectangle({x, nBarTop, nRight, nBarTop + kBoxBarHeight});
        x = nRight;
        // TRANSLATORS: the legend of the boxes bar: questions never asked, and those in box {1}
        // (1 to 5); {2} is how many.
        const std::string strLabel = nBox == 0 ? FillIn(Tr("new: {1}"), {std::to_string(n)})
                                               : FillIn(Tr("box {1}: {2}"), {std::to_string(nBox), std::to_string(n)});
        pDC->Rectangle({nLegend, nLegendTop + 3, nLegend + 10, nLegendTop + 13});
        const int nWidth = pDC->GetTextExtent(strLabel).cx;
        pDC->DrawText(strLabel, {nLegend + 14, nLegendTop, nLegend + 14 + nWidth, nLegendTop + 16}, TF_SINGLELINE);
        nLegend += 14 + nWidth + 16;
    }
    if (nTotal == 0)
        pDC->DrawText(Tr("The verb list in use has no questions."), {area.left, nBarTop, area.right, nBarTop + kBoxBarHeight},
                      TF_CENTER | TF_VCENTER | TF_SINGLELINE);

    pDC->SelectFont(pOld);
    DrawHeading(pDC, Tr("Due for review in the days ahead"), {area.left, nDueHeadingTop, area.right, nDueHeadingTop + 22});
    pDC->SelectFont(&font);
    const std::uint32_t nMost = std::max<std::uint32_t>(1, *std::max_element(review.m_dueByDay.begin(), review.m_dueByDay.end()));
    const int nSlot = area.Width() / static_cast<int>(kDueDays);
    const int nChartBottom = nDueTop + 14 + kDueChartHeight;
    pDC->SelectBrush(&kBoxColours[1]);
    for (std::size_t nDay = 0; nDay < kDueDays; ++nDay)
    {
        const int nLeft = area.left + nSlot * static_cast<int>(nDay);
        const std::uint32_t n = review.m_dueByDay[nDay];
        const int nHeight = static_cast<int>(static_cast<long long>(kDueChartHeight) * n / nMost);
        if (n)
            pDC->Rectangle({nLeft + nSlot / 4, nChartBottom - nHeight, nLeft + nSlot * 3 / 4, nChartBottom});
        pDC->DrawText(std::to_string(n), {nLeft, nChartBottom - nHeight - 14, nLeft + nSlot, nChartBottom - nHeight - 1},
                      TF_CENTER | TF_SINGLELINE);
        // TRANSLATORS: under the first bar of the questions due, those of today and any overdue.
        const std::string strDay = nDay == 0 ? Tr("today")
                                             : DayLabel(HistoryDay(review.m_nToday + static_cast<std::int64_t>(nDay) * 86400), false);
        pDC->DrawText(strDay, {nLeft, nChartBottom + 2, nLeft + nSlot, nChartBottom + kDateRowHeight}, TF_CENTER | TF_SINGLELINE);
    }
    pDC->Line(area.left, nChartBottom, area.left + nSlot * static_cast<int>(kDueDays), nChartBottom);
    pDC->SelectBrush(pOldBrush);
    pDC->SelectFont(pOld);
    return nBottom;
}

// Grid lines at every quarter, labelled on the left; one bar per lesson, the latest on
// the right, each with its share above it and, where a new day begins and there is room,
// the day (UTC) below the axis.
void CProgressView::DrawChart(CDC* pDC, const Rect& area)
{
    const FontSpec font = TextFont(12);
    const FontSpec small = TextFont(11);
    const FontSpec* pOld = pDC->SelectFont(&font);
    const Rect plot{area.left + kAxisLabelWidth, area.top + 16, area.right, area.bottom - kDateRowHeight};
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
        pDC->DrawText(Tr("No lessons yet."), plot, TF_CENTER | TF_VCENTER | TF_SINGLELINE);
    pDC->SelectFont(&small);
    const int nSlot = plot.Width() / static_cast<int>(kProgressLessons);
    const int nBar = nSlot * 2 / 3;
    const Colour* pOldBrush = pDC->SelectBrush(&kBarColour);
    int nLabelRight = INT_MIN / 2;
    std::string strLabelYear;
    for (std::size_t i = 0; i < lessons.size(); ++i)
    {
        const LessonScore& lesson = lessons[i];
        // Right-aligned: the newest lesson always stands at the same place.
        const int nSlotLeft = plot.right - nSlot * static_cast<int>(lessons.size() - i);
        const int x = nSlotLeft + (nSlot - nBar) / 2;
        const int nHeight =
            std::max(kLeastBar, static_cast<int>((plot.Height() - 1) * RightPercent(lesson) / 100.0 + 0.5));
        pDC->SelectBrush(lesson.m_bPractice ? &kPracticeColour : &kBarColour);
        pDC->Rectangle({x, plot.bottom - 1 - nHeight, x + nBar, plot.bottom});
        const int nTop = plot.bottom - 1 - nHeight;
        pDC->DrawText(BarLabel(lesson), {nSlotLeft, nTop - 14, nSlotLeft + nSlot, nTop - 1},
                      TF_CENTER | TF_SINGLELINE);

        if (i > 0 && lesson.m_strDay == lessons[i - 1].m_strDay)
            continue;
        const std::string strYear = lesson.m_strDay.substr(0, 4);
        const std::string strDay = DayLabel(lesson.m_strDay, strYear != strLabelYear);
        const int nWidth = pDC->GetTextExtent(strDay).cx;
        const int nLeft = std::min(x, area.right - nWidth);
        if (strDay.empty() || nLeft < nLabelRight + 6)
            continue;
        pDC->Line(x, plot.bottom, x, plot.bottom + 4);
        pDC->DrawText(strDay, {nLeft, plot.bottom + 4, nLeft + nWidth, area.bottom}, TF_SINGLELINE);
        nLabelRight = nLeft + nWidth;
        strLabelYear = strYear;
    }
    pDC->SelectBrush(pOldBrush);
    pDC->SelectFont(pOld);
}

// Columns as wide as their texts allow; a text too long for its column goes on over
// further lines of its row.
int CProgressView::DrawMissed(CDC* pDC, const Rect& area, bool bDraw)
{
    const FontSpec font = TextFont(13);
    const FontSpec bold = TextFont(13, 700);
    // TRANSLATORS: the headings of the table of questions missed most often.
    const std::vector<std::string> header = {Tr("Verb"),        Tr("Direction"),    Tr("Missed"),
                                             Tr("Last missed"), Tr("Right answer"), Tr("Last typed")};
    std::vector<std::vector<std::string>> rows;
    for (const MissedQuestion& missed : m_progress.m_missed)
    {
        // 2026-12-07T04:12:51Z shown as 2026-12-07 04:12 UTC.
        std::string strWhen = missed.m_strLastTime.substr(0, 16);
        if (strWhen.size() > 10)
            strWhen[10] = ' ';
        rows.push_back({missed.m_question.m_strVerb, DirectionText(missed.m_question.m_strDirection),
                        std::to_string(missed.m_nMissed), strWhen + " UTC", missed.m_strLastExpected,
                        missed.m_strLastTyped});
    }

    const FontSpec* pOld = pDC->SelectFont(&bold);
    std::vector<int> natural;
    for (const std::string& strTitle : header)
        natural.push_back(pDC->GetTextExtent(strTitle).cx + kColumnGap);
    pDC->SelectFont(&font);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            natural[i] = std::max(natural[i], pDC->GetTextExtent(row[i]).cx + kColumnGap);
    const std::vector<int> widths = ColumnWidths(natural, area.Width());

    const auto drawRow = [&](const std::vector<std::string>& texts, int y) {
        std::size_t nLines = 1;
        int x = area.left;
        for (std::size_t i = 0; i < texts.size(); ++i)
        {
            const std::vector<std::string> lines = WrapText(*pDC, texts[i], widths[i] - kColumnGap, kMaxCellLines);
            nLines = std::max(nLines, lines.size());
            for (std::size_t k = 0; bDraw && k < lines.size(); ++k)
            {
                const int nTop = y + static_cast<int>(k) * kLineHeight;
                pDC->DrawText(lines[k], {x, nTop, x + widths[i] - kColumnGap, nTop + kRowHeight}, TF_SINGLELINE);
            }
            x += widths[i];
        }
        return y + kRowHeight + static_cast<int>(nLines - 1) * kLineHeight;
    };

    pDC->SelectFont(&bold);
    int y = drawRow(header, area.top) + 2;
    pDC->SelectFont(&font);
    if (rows.empty())
    {
        if (bDraw)
            pDC->DrawText(Tr("No mistakes so far."), {area.left, y, area.right, y + kRowHeight}, TF_SINGLELINE);
        y += kRowHeight;
    }
    for (const auto& row : rows)
        y = drawRow(row, y);
    pDC->SelectFont(pOld);
    return y;
}
