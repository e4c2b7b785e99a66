// The training view: draws the welcome, question and congratulation screens from the
// document, and turns clicks, keys and timer ticks into document operations.
// Holds no lesson state of its own; the window it lives in is reached through ViewWindow.
#pragma once

#include "framework/View.h"

#include <cstddef>
#include <cstdint>

class CVespinDoc;
class LessonHistory;
class SpokenLesson;

// The outlined answer box and, inside it, where the answer text and caret go. The
// bottom of the client rectangle plays no part.
Rect AnswerFrameRect(Rect client);
Rect AnswerTextRect(Rect client);

// The font the answer is drawn and measured in; struck out after a wrong answer.
FontSpec AnswerFont(bool bStrikeOut = false);

class CVespinView : public CView
{
public:
    CVespinView(CVespinDoc& doc, ViewWindow& window);

    CVespinDoc* GetDocument() const { return &m_doc; }

    // Draws the screen the document's state calls for.
    void OnDraw(CDC* pDC) override;

    void DrawWelcome(CDC* pDC);
    bool DrawCongratulations(CDC* pDC, CVespinDoc* pDoc);
    // False when there are no answers yet, so no bar.
    bool DrawScoreBar(CDC* pDC, CVespinDoc* pDoc);
    // Draws the picture of the last result at the lower right and sets the verdict
    // colour; returns the text colour that was current before.
    Colour DrawResultPicture(CDC* pDC, CVespinDoc* pDoc);

    // Keys: 35 End, 36 Home, 37 Left, 39 Right, 46 Delete. Characters: 8 Backspace,
    // 13 Return; other control codes draw as nothing and are not typed.
    void OnLButtonDown(int x, int y) override;
    void OnChar(unsigned nChar) override;
    void OnKeyDown(unsigned nVirtualKey) override;
    void OnTimer(unsigned nIdEvent) override;

    // Commands of the Lesson and Help menus.
    void OnGiveUp();
    void OnStatistics();
    void OnLessonView();
    void OnHelp();
    // Commands of the learner's history; without a history they say it is not kept.
    void OnPractiseMistakes();
    void OnForgetHistory();
    // Says the question's word, or while a verdict shows the answer it expected.
    void OnSpeak();
    // A lesson of the questions due for review at nNow (seconds since 1970), or a message
    // saying when the next are due.
    void OnReviewDue(std::int64_t nNow);
    // While the wrong verdict of the last answer is shown: that answer was a slip.
    bool CanMarkSlip() const;
    bool OnSlip();

    // The history the commands work on; nullptr for none. Must outlive the view.
    void SetHistory(LessonHistory* pHistory) { m_pHistory = pHistory; }
    // What the lesson says; nullptr for silence. Must outlive the view.
    void SetSpeech(SpokenLesson* pSpeech) { m_pSpeech = pSpeech; }

private:
    // Why the history cannot be read, the file, and what to do.
    void TellHistoryUnreadable();
    void DrawQuestion(CDC* pDC, CVespinDoc* pDoc);
    void StartLesson(CVespinDoc* pDoc);
    // After a lesson of chosen questions is loaded: its first question said, if speech is on,
    // and shown.
    void AskFirstChosenQuestion(CVespinDoc* pDoc);
    void PlaceCaret(CVespinDoc* pDoc, int x, int y);
    void BlinkCaret(CVespinDoc* pDoc);
    // The caret's line in the answer box, in the font already selected.
    static void DrawCaretLine(CDC* pDC, const CVespinDoc* pDoc, const Rect& text, Colour colour);
    // The caret kept inside the answer, whatever the document holds.
    static std::size_t ClampedCaret(const CVespinDoc* pDoc);

    CVespinDoc& m_doc;
    LessonHistory* m_pHistory = nullptr;
    SpokenLesson* m_pSpeech = nullptr;
};
