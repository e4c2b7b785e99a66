// The learner's progress as one picture: a bar per recent lesson with its share of
// right answers, the questions missed most often, and the totals. Draws what it is
// given; reading the history is the caller's.
#pragma once

#include "framework/View.h"
#include "history/HistorySummary.h"
#include "history/Review.h"

#include <optional>
#include <string>
#include <vector>

class CProgressView : public CView
{
public:
    // With review, the boxes of the list in use and the questions due in the days ahead
    // are drawn under the totals.
    CProgressView(HistoryProgress progress, ViewWindow& window, std::optional<ReviewOverview> review = std::nullopt);

    void OnDraw(CDC* pDC) override;
    // The height the whole picture needs at this width, measured with pDC's fonts.
    int GetHeight(CDC* pDC, int nWidth);

    const HistoryProgress& GetProgress() const { return m_progress; }

private:
    // Draws into client, or with bDraw false only measures; returns the bottom.
    int Paint(CDC* pDC, const Rect& client, bool bDraw);
    void DrawChart(CDC* pDC, const Rect& area);
    // Returns the bottom of the table.
    int DrawMissed(CDC* pDC, const Rect& area, bool bDraw);
    // Returns the bottom.
    int DrawReview(CDC* pDC, const Rect& area, bool bDraw);

    HistoryProgress m_progress;
    std::optional<ReviewOverview> m_review;
};

// The share of right answers of a lesson, 0 to 100; 0 for a lesson without answers.
double RightPercent(const LessonScore& lesson);

// strText in lines no wider than nWidth in the selected font, broken at blanks, a word
// too long for a line anywhere; beyond nMaxLines the last line shown ends in "...".
std::vector<std::string> WrapText(const CDC& dc, const std::string& strText, int nWidth,
                                  std::size_t nMaxLines);
