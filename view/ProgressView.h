// The learner's progress as one picture: a bar per recent lesson with its share of
// right answers, the questions missed most often, and the totals. Draws what it is
// given; reading the history is the caller's.
#pragma once

#include "framework/View.h"
#include "history/HistorySummary.h"

class CProgressView : public CView
{
public:
    CProgressView(HistoryProgress progress, ViewWindow& window);

    void OnDraw(CDC* pDC) override;

    const HistoryProgress& GetProgress() const { return m_progress; }

private:
    void DrawChart(CDC* pDC, const Rect& area);
    // Returns the bottom of the table.
    int DrawMissed(CDC* pDC, const Rect& area);

    HistoryProgress m_progress;
};

// The share of right answers of a lesson, 0 to 100; 0 for a lesson without answers.
double RightPercent(const LessonScore& lesson);
