#include "view/VespinView.h"

#include "dialogs/FormsDlg.h"
#include "dialogs/GroupsDlg.h"
#include "dialogs/OptionDlg.h"
#include "dialogs/StatisticsDlg.h"
#include "framework/Translation.h"
#include "history/Review.h"
#include "lesson/LessonHistory.h"
#include "lesson/VespinDoc.h"
#include "res/AppStrings.h"
#include "res/CommandIds.h"
#include "speech/SpokenLesson.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const char* const kWebSite = "www.taldrin.org";

// Title fonts grow with the client height H; the product is truncated toward zero.
FontSpec TitleFont(int nClientHeight, double fShare, int nWidth, int nEscapement)
{
    FontSpec font;
    font.Height = static_cast<int>(fShare * nClientHeight);
    font.Width = nWidth;
    font.Escapement = nEscapement;
    return font;
}

FontSpec FixedFont(int nHeight, int nWidth, int nWeight = 0)
{
    FontSpec font;
    font.Height = nHeight;
    font.Width = nWidth;
    font.Weight = nWeight;
    return font;
}

Rect WithTop(Rect rect, int nTop)
{
    rect.top = nTop;
    return rect;
}

Rect WithBottom(Rect rect, int nBottom)
{
    rect.bottom = nBottom;
    return rect;
}

std::vector<std::string> Lines(const std::string& strText, unsigned nFormat)
{
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (std::size_t nEnd; (nFormat & TF_SINGLELINE) == 0 && (nEnd = strText.find('\n', nStart)) != std::string::npos;
         nStart = nEnd + 1)
        lines.push_back(strText.substr(nStart, nEnd - nStart));
    lines.push_back(strText.substr(nStart));
    return lines;
}

// Whether the text, drawn in the selected font, stays within the width and height of box.
bool Fits(const CDC* pDC, const std::string& strText, unsigned nFormat, const Rect& box)
{
    const std::vector<std::string> lines = Lines(strText, nFormat);
    int nHeight = 0;
    for (const std::string& strLine : lines)
    {
        const Size size = pDC->GetTextExtent(strLine);
        if (size.cx > box.Width())
            return false;
        nHeight += size.cy;
    }
    return nHeight <= box.Height();
}

// Each line broken at spaces where it is wider than nWidth; a word wider than that stays whole.
std::string Wrapped(const CDC* pDC, const std::string& strText, int nWidth)
{
    std::string strResult;
    for (const std::string& strLine : Lines(strText, 0))
    {
        std::string strCurrent;
        std::size_t nStart = 0;
        for (std::size_t nEnd = 0; nEnd != std::string::npos; nStart = nEnd + 1)
        {
            nEnd = strLine.find(' ', nStart);
            const std::string strWord = strLine.substr(nStart, nEnd == std::string::npos ? nEnd : nEnd - nStart);
            if (nStart == 0)
                strCurrent = strWord;
            else if (!strCurrent.empty() && pDC->GetTextExtent(strCurrent + " " + strWord).cx > nWidth)
            {
                strResult += strCurrent + "\n";
                strCurrent = strWord;
            }
            else
                strCurrent += " " + strWord;
        }
        strResult += strCurrent + "\n";
    }
    strResult.pop_back();
    return strResult;
}

// Draws a text of the interface at its fixed place. In English exactly as given; translated,
// it may be longer: it is broken into lines to stay inside box, and drawn smaller only when
// the lines still do not fit.
void DrawFitted(CDC* pDC, const std::string& strText, const Rect& rect, unsigned nFormat, const Rect& box)
{
    if (!CurrentTextCatalog() || Fits(pDC, strText, nFormat, box))
    {
        pDC->DrawText(strText, rect, nFormat);
        return;
    }
    const bool bWrap = (nFormat & TF_SINGLELINE) == 0;
    std::string strFitted = bWrap ? Wrapped(pDC, strText, box.Width()) : strText;
    const FontSpec* pOldFont = pDC->SelectFont(nullptr);
    pDC->SelectFont(pOldFont);
    // The context's own font spelt out, so that it can be scaled.
    FontSpec base;
    if (pOldFont)
        base = *pOldFont;
    else
    {
        const Size sample = pDC->GetTextExtent("abcdefghij");
        base.Height = sample.cy;
        base.Width = sample.cx / 10;
    }
    // A line that cannot be broken grows with its font: it starts one step above the size its
    // measured width asks for, so that a large title word is laid out twice, not six times.
    int nFirstPercent = 90;
    if (const Size size = pDC->GetTextExtent(strText);
        (!bWrap || strText.find_first_of(" \n") == std::string::npos) && size.cx > 0 && size.cy > 0)
        nFirstPercent = std::clamp(std::min(box.Width() * 100 / size.cx, box.Height() * 100 / size.cy) / 10 * 10 + 10, 40, 90);
    FontSpec smaller = base;
    for (int nPercent = nFirstPercent; nPercent >= 40 && !Fits(pDC, strFitted, nFormat, box); nPercent -= 10)
    {
        smaller.Height = base.Height * nPercent / 100;
        smaller.Width = base.Width * nPercent / 100;
        pDC->SelectFont(&smaller);
        strFitted = bWrap ? Wrapped(pDC, strText, box.Width()) : strText;
    }
    pDC->DrawText(strFitted, rect, nFormat);
    pDC->SelectFont(pOldFont);
}

// Draws one text in its own font and colour, and sets both back; kept inside the client
// when translated.
void DrawTitleWord(CDC* pDC, const FontSpec& font, Colour colour, const std::string& strText,
                   const Rect& rect, unsigned nFormat)
{
    const FontSpec* pOldFont = pDC->SelectFont(&font);
    const Colour oldColour = pDC->SetTextColor(colour);
    DrawFitted(pDC, strText, rect, nFormat, rect);
    pDC->SetTextColor(oldColour);
    pDC->SelectFont(pOldFont);
}

void FilledRectangle(CDC* pDC, const Rect& rect, Colour colour)
{
    const Colour* pOldBrush = pDC->SelectBrush(&colour);
    pDC->Rectangle(rect);
    pDC->SelectBrush(pOldBrush);
}

// The seconds of the options dialog as milliseconds for the document, which drops the
// fraction. A float holds 0.251 as 0.25099998..., so a product within the float's own
// precision of a whole number is taken as that number: a typed 0.251 gives 251, while
// 0.4009 still gives 400.
float MillisecondsFromSeconds(float fSeconds)
{
    const double fMilliseconds = static_cast<double>(fSeconds) * 1000.0;
    const double fWhole = std::round(fMilliseconds);
    if (std::abs(fMilliseconds - fWhole) <= std::abs(fWhole) * 2.4e-7)
        return static_cast<float>(fWhole);
    return static_cast<float>(fMilliseconds);
}

// Control codes (C0, DEL, C1) are drawn as nothing: typed, they would make a right
// answer wrong without showing why.
bool IsDrawn(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && !(byte >= 0x7F && byte < 0xA0);
}

std::string Percent(double fShare)
{
    char sz[10];
    std::snprintf(sz, sizeof sz, "%0.1f%%", fShare * 100.0);
    return sz;
}

} // namespace

Rect AnswerFrameRect(Rect client)
{
    return {client.left + 10, client.top + 60, client.right - 250, client.top + 94};
}

Rect AnswerTextRect(Rect client)
{
    return {client.left + 14, client.top + 62, client.right - 252, client.top + 92};
}

FontSpec AnswerFont(bool bStrikeOut)
{
    FontSpec font = FixedFont(30, 10, 600);
    font.StrikeOut = bStrikeOut;
    return font;
}

CVespinView::CVespinView(CVespinDoc& doc, ViewWindow& window) : CView(window), m_doc(doc) {}

void CVespinView::OnDraw(CDC* pDC)
{
    CVespinDoc* pDoc = GetDocument();
    if (pDoc->m_bFinished)
        DrawCongratulations(pDC, pDoc);
    else if (pDoc->m_pool.empty())
        DrawWelcome(pDC);
    else
        DrawQuestion(pDC, pDoc);
}

void CVespinView::DrawWelcome(CDC* pDC)
{
    const Rect client = m_window.GetClientRect();
    const int nHeight = client.Height();
    pDC->SetBkMode(BK_TRANSPARENT);

    // The three title words overlap; each is drawn over what came before it.
    // TRANSLATORS: the welcome screen's title, "Irregular" / "Verbs" / "Taldrin" in three
    // big overlapping words; the program's name stays as it is.
    DrawTitleWord(pDC, TitleFont(nHeight, 0.2, 80, -180), Rgb(160, 255, 160), Tr("Irregular"), client,
                  TF_CENTER);
    // TRANSLATORS: the second of the welcome screen's title words ("Irregular" / "Verbs").
    DrawTitleWord(pDC, TitleFont(nHeight, 0.3, 30, 500), Rgb(255, 180, 160), Tr("Verbs"), client,
                  TF_CENTER | TF_BOTTOM | TF_SINGLELINE);
    DrawTitleWord(pDC, TitleFont(nHeight, 0.7, 50, 80), Rgb(160, 160, 255), "Taldrin", client,
                  TF_CENTER | TF_VCENTER | TF_SINGLELINE);

    const Rect welcome = WithTop(client, client.top + 20);
    DrawFitted(pDC, Tr("Welcome, press the left mouse button to continue."), welcome, TF_CENTER,
               WithBottom(welcome, client.top + 80));
    // TRANSLATORS: three lines under the welcome; the name and the year stay as they are.
    const Rect about = WithTop(client, client.top + 80);
    DrawFitted(pDC, Tr("Irregular English verbs trainer\nprogrammed by Quorvane\n2002"), about, TF_CENTER,
               WithBottom(about, client.top + 180));
    // TRANSLATORS: {1} is the program's web address.
    DrawFitted(pDC, FillIn(Tr("Visit {1}"), {kWebSite}), WithTop(client, client.top + 180), TF_CENTER,
               WithTop(client, client.top + 180));
}

void CVespinView::DrawQuestion(CDC* pDC, CVespinDoc* pDoc)
{
    const Rect client = m_window.GetClientRect();
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    pDC->SetBkMode(BK_TRANSPARENT);

    if (pDC->RectVisible({l + 10, t + 10, r, t + 70}))
    {
        const FontSpec header = FixedFont(20, 7, 600);
        const FontSpec* pOldFont = pDC->SelectFont(&header);
        if (!m_pSpeech || !m_pSpeech->HidesPrompt())
            pDC->DrawText(Latin1ToUtf8(ConvertAccents(pDoc->GetPrompt())), {l + 10, t + 10, r, b}, TF_LEFT_TOP);
        const std::string strForm = pDoc->GetAskedFormName();
        DrawFitted(pDC, strForm.empty() ? strForm : Tr(strForm.c_str()), {l + 260, t + 10, r, b}, TF_LEFT_TOP,
                   {l + 260, t + 10, r - 50, t + 60});
        pDC->SelectFont(pOldFont);
    }

    if (pDC->RectVisible(AnswerFrameRect(client)))
    {
        const bool bWrongVerdict = pDoc->m_bShowingCorrection && pDoc->m_nLastResult == 0;
        const Colour colour = !pDoc->m_bShowingCorrection ? Rgb(0, 0, 175)
                              : bWrongVerdict             ? Rgb(220, 0, 0)
                                                          : Rgb(0, 220, 0);
        const FontSpec answer = AnswerFont(bWrongVerdict);
        const Colour oldColour = pDC->SetTextColor(colour);
        const FontSpec* pOldFont = pDC->SelectFont(&answer);

        // The white fill is also what erases the previous answer text.
        pDC->Rectangle(AnswerFrameRect(client));
        const Rect text = AnswerTextRect(client);
        pDC->DrawText(Latin1ToUtf8(ConvertAccents(pDoc->m_strTyped)), text, TF_LEFT_TOP);
        if (!pDoc->m_bShowingCorrection)
            DrawCaretLine(pDC, pDoc, text, Rgb(0, 0, 0));
        pDC->SelectFont(pOldFont);
        pDC->SetTextColor(oldColour);
    }

    // Translated, the texts stay left of the result picture and each above the next.
    const int nPictureLeft = r - 225;
    DrawFitted(pDC, pDoc->GetRemainingText(), {l + 10, t + 110, r, b}, TF_LEFT_TOP,
               {l + 10, t + 110, nPictureLeft, t + 135});

    const Colour oldColour = DrawResultPicture(pDC, pDoc);
    DrawFitted(pDC, ConvertAccentsInUtf8(pDoc->m_strVerdict), {l + 10, t + 135, r, b}, TF_LEFT_TOP, {l + 10, t + 135, nPictureLeft, t + 205});
    pDC->SetTextColor(oldColour);

    if (pDoc->m_nLastResult != -1)
        DrawFitted(pDC, pDoc->m_stats.GetPercentText(), {l + 10, t + 205, r, b}, TF_LEFT_TOP,
                   {l + 10, t + 205, nPictureLeft, b});

    DrawScoreBar(pDC, pDoc);
}

bool CVespinView::DrawCongratulations(CDC* pDC, CVespinDoc* pDoc)
{
    const Rect client = m_window.GetClientRect();
    const Rect text = {client.left + 10, client.top + 10, client.right, client.bottom};
    pDC->SetBkMode(BK_TRANSPARENT);

    const FontSpec title = FixedFont(50, 40);
    const FontSpec* pOldFont = pDC->SelectFont(&title);
    // Translated, the texts stay left of the score bar and each above the next.
    const Rect column = {text.left, text.top, client.right - 50, text.bottom};
    // TRANSLATORS: the title of the screen at the end of a lesson.
    DrawFitted(pDC, Tr("Statistics"), text, TF_LEFT_TOP, WithBottom(column, client.top + 70));
    pDC->SelectFont(pOldFont);

    DrawFitted(pDC, Tr("Congratulations, you have finished your lesson!"), WithTop(text, client.top + 70),
               TF_LEFT_TOP, WithBottom(WithTop(column, client.top + 70), client.top + 110));
    DrawFitted(pDC, pDoc->m_stats.GetReportText(), WithTop(text, client.top + 110), TF_LEFT_TOP,
               WithTop(column, client.top + 110));
    DrawScoreBar(pDC, pDoc);
    return true;
}

bool CVespinView::DrawScoreBar(CDC* pDC, CVespinDoc* pDoc)
{
    const double fRight = pDoc->m_stats.m_nRight;
    const double fWrong = pDoc->m_stats.m_nWrong;
    if (fRight + fWrong == 0)
        return false;

    const Rect client = m_window.GetClientRect();
    const int t = client.top, r = client.right, b = client.bottom;
    const double fHeight = client.Height();
    if (!pDC->RectVisible({r - 50, t, r, b}))
        return true;

    const int yRed = static_cast<int>(t + fHeight * fWrong / (fWrong + fRight));
    FilledRectangle(pDC, {r - 50, t, r, yRed}, Rgb(255, 0, 0));
    const int yGreen = static_cast<int>(b - fHeight * fRight / (fWrong + fRight));
    FilledRectangle(pDC, {r - 50, yGreen, r, b}, Rgb(0, 255, 0));

    const FontSpec font = FixedFont(11, 6);
    const FontSpec* pOldFont = pDC->SelectFont(&font);
    const Rect column = {r - 50, t + 5, r, b - 5};
    pDC->DrawText(Percent(fWrong / (fWrong + fRight)), column, TF_CENTER);
    pDC->DrawText(Percent(fRight / (fWrong + fRight)), column, TF_CENTER | TF_BOTTOM | TF_SINGLELINE);
    pDC->SelectFont(pOldFont);
    return true;
}

Colour CVespinView::DrawResultPicture(CDC* pDC, CVespinDoc* pDoc)
{
    const int nResult = pDoc->m_nLastResult;
    if (nResult != 0 && nResult != 1)
        return pDC->GetTextColor();

    const bool bRight = nResult == 1;
    const bool bRabbit = pDoc->m_bRabbit;
    const Picture mask = !bRabbit ? Picture::FaceMask
                         : bRight ? Picture::HappyRabbitMask
                                  : Picture::SadRabbitMask;
    const Picture picture = bRabbit ? (bRight ? Picture::HappyRabbit : Picture::SadRabbit)
                                    : (bRight ? Picture::HappyFace : Picture::SadFace);
    const Colour oldColour = pDC->SetTextColor(bRight ? Rgb(0, 150, 0) : Rgb(255, 0, 0));

    const Rect client = m_window.GetClientRect();
    const int x = client.right - 225, y = client.bottom - 175;
    const int nSide = bRabbit ? 150 : 100;
    if (pDC->RectVisible({x, y, client.right, client.bottom}))
        pDC->DrawMaskedPicture(mask, picture, {x, y, x + nSide, y + nSide});
    return oldColour;
}

void CVespinView::OnLButtonDown(int x, int y)
{
    CVespinDoc* pDoc = GetDocument();
    if (pDoc->m_pool.empty() && !pDoc->m_bFinished)
        StartLesson(pDoc);
    if (!pDoc->m_pool.empty() && !pDoc->m_bFinished)
        PlaceCaret(pDoc, x, y);
}

void CVespinView::StartLesson(CVespinDoc* pDoc)
{
    // A chosen list gone since it was chosen: said, and the standard list taken.
    pDoc->FallBackFromGoneList();
    CFormsDlg forms;
    CGroupsDlg groups;
    // Whatever the dialogs hold when they close is taken: after Esc, no box at all.
    m_window.DoModal(forms);
    pDoc->SetDirections(forms.GetDirections());
    if (!pDoc->m_bAlternativeFile)
    {
        m_window.DoModal(groups);
        pDoc->SetGroups(groups.GetGroups());
    }
    pDoc->LoadQuestions();
    if (m_pSpeech)
        m_pSpeech->OnQuestion(*pDoc);
    m_window.SetTimer(TIMER_CARET_BLINK, kCaretBlinkMilliseconds);
    m_window.InvalidateRect(nullptr, true);
    // Over the first question, which the box's loop paints.
    if (pDoc->m_bListCutShort)
        m_window.MessageBox(pDoc->GetCutShortText(), "Taldrin", BOX_OK | BOX_ICONEXCLAMATION);
}

// The caret goes to the character boundary nearest to the click: the slot of position i
// runs from the middle of character i - 1 to the middle of character i.
void CVespinView::PlaceCaret(CVespinDoc* pDoc, int x, int y)
{
    const Rect text = AnswerTextRect(m_window.GetClientRect());
    if (!text.Contains(x, y))
        return;
    std::unique_ptr<CDC> pDC = m_window.GetDC();
    if (!pDC)
        return;
    const FontSpec font = AnswerFont();
    const FontSpec* pOldFont = pDC->SelectFont(&font);

    const std::string& strTyped = pDoc->m_strTyped;
    std::size_t nCaret = strTyped.size();
    int nSlotEnd = text.left;
    int nHalfBefore = 0;
    for (std::size_t i = 0; i < strTyped.size(); ++i)
    {
        const int nHalf = pDC->GetTextExtent(Latin1ToUtf8(std::string(1, strTyped[i]))).cx / 2;
        nSlotEnd += nHalfBefore + nHalf;
        nHalfBefore = nHalf;
        if (x < nSlotEnd)
        {
            nCaret = i;
            break;
        }
    }
    pDC->SelectFont(pOldFont);
    pDoc->m_nCaret = static_cast<std::int32_t>(nCaret);
    m_window.InvalidateRect(&text, true);
}

void CVespinView::OnChar(unsigned nChar)
{
    CVespinDoc* pDoc = GetDocument();
    if (pDoc->m_pool.empty() || pDoc->m_bShowingCorrection)
        return;
    const char c = static_cast<char>(nChar & 0xFF);
    std::string& strTyped = pDoc->m_strTyped;
    const std::size_t nCaret = ClampedCaret(pDoc);
    const Rect text = AnswerTextRect(m_window.GetClientRect());

    if (c == '\b')
    {
        if (nCaret == 0)
            return;
        strTyped.erase(nCaret - 1, 1);
        pDoc->m_nCaret = static_cast<std::int32_t>(nCaret - 1);
        m_window.InvalidateRect(&text, false);
    }
    else if (c == '\r')
    {
        if (!pDoc->CheckAnswer())
            m_window.KillTimer(TIMER_CARET_BLINK);
        if (pDoc->m_bCorrecting)
            m_window.SetTimer(TIMER_VERDICT, pDoc->GetVerdictTime());
        if (m_pSpeech)
            m_pSpeech->AfterAnswer(*pDoc);
        m_window.InvalidateRect(nullptr, true);
    }
    else if (IsDrawn(c))
    {
        strTyped.insert(nCaret, 1, c);
        pDoc->m_nCaret = static_cast<std::int32_t>(nCaret + 1);
        m_window.InvalidateRect(&text, false);
    }
}

void CVespinView::OnKeyDown(unsigned nVirtualKey)
{
    CVespinDoc* pDoc = GetDocument();
    if (pDoc->m_pool.empty())
        return;
    std::string& strTyped = pDoc->m_strTyped;
    std::size_t nCaret = ClampedCaret(pDoc);
    switch (nVirtualKey)
    {
    case KEY_END:
        nCaret = strTyped.size();
        break;
    case KEY_HOME:
        nCaret = 0;
        break;
    case KEY_LEFT:
        nCaret = nCaret > 0 ? nCaret - 1 : 0;
        break;
    case KEY_RIGHT:
        nCaret = nCaret < strTyped.size() ? nCaret + 1 : nCaret;
        break;
    case KEY_DELETE:
        if (nCaret == strTyped.size())
            return;
        strTyped.erase(nCaret, 1);
        break;
    default:
        return;
    }
    pDoc->m_nCaret = static_cast<std::int32_t>(nCaret);
    const Rect text = AnswerTextRect(m_window.GetClientRect());
    m_window.InvalidateRect(&text, false);
}

void CVespinView::OnTimer(unsigned nIdEvent)
{
    CVespinDoc* pDoc = GetDocument();
    if (nIdEvent == TIMER_CARET_BLINK)
    {
        if (!pDoc->m_bFinished && !pDoc->m_pool.empty() && !pDoc->m_bShowingCorrection)
            BlinkCaret(pDoc);
    }
    else if (nIdEvent == TIMER_VERDICT)
    {
        // A tick that finds no verdict, or a lesson given up, leaves the timer running.
        if (pDoc->m_bShowingCorrection && !pDoc->m_bFinished)
        {
            if (pDoc->ContinueAfterVerdict() && m_pSpeech)
                m_pSpeech->OnQuestion(*pDoc);
            m_window.KillTimer(TIMER_VERDICT);
            m_window.InvalidateRect(nullptr, true);
        }
    }
}

// Draws the caret straight onto the window, black or white by turns: the white stroke
// relies on the inside of the answer frame being white.
void CVespinView::BlinkCaret(CVespinDoc* pDoc)
{
    std::unique_ptr<CDC> pDC = m_window.GetDC();
    if (!pDC)
        return;
    const FontSpec font = AnswerFont();
    const FontSpec* pOldFont = pDC->SelectFont(&font);
    pDoc->m_bCaretOn = !pDoc->m_bCaretOn;
    DrawCaretLine(pDC.get(), pDoc, AnswerTextRect(m_window.GetClientRect()),
                  pDoc->m_bCaretOn ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
    pDC->SelectFont(pOldFont);
}

// Measured in the selected font over the characters as typed: after a typed accent
// escape the caret stands right of the one letter drawn for it. Kept inside the text
// area, which is all an edit repaints: a line left outside would never be erased.
void CVespinView::DrawCaretLine(CDC* pDC, const CVespinDoc* pDoc, const Rect& text, Colour colour)
{
    const Size caret = pDC->GetTextExtent(Latin1ToUtf8(pDoc->m_strTyped.substr(0, ClampedCaret(pDoc))));
    const int x = std::max(text.left, std::min(text.left + caret.cx - 1, text.right - 1));
    pDC->Line(x, text.top, x, text.top + caret.cy, colour);
}

std::size_t CVespinView::ClampedCaret(const CVespinDoc* pDoc)
{
    const auto nCaret = static_cast<std::size_t>(std::max<std::int32_t>(pDoc->m_nCaret, 0));
    return std::min(nCaret, pDoc->m_strTyped.size());
}

void CVespinView::OnGiveUp()
{
    CVespinDoc* pDoc = GetDocument();
    if (m_window.MessageBox(Tr("Are you sure to want to quit your lesson?"), "Taldrin",
                            BOX_YESNO | BOX_ICONQUESTION) == RESULT_YES)
        pDoc->GiveUp();
    m_window.InvalidateRect(nullptr, true);
}

void CVespinView::OnStatistics()
{
    CVespinDoc* pDoc = GetDocument();
    if (pDoc->m_stats.m_nRight + pDoc->m_stats.m_nWrong == 0)
        return;
    CStatisticsDlg dialog;
    dialog.m_strText = pDoc->m_stats.GetReportText() + "\n\n" + pDoc->GetRemainingText();
    m_window.DoModal(dialog);
}

void CVespinView::OnLessonView()
{
    CVespinDoc* pDoc = GetDocument();
    COptionDlg dialog;
    dialog.m_bRabbitCheck = pDoc->m_bRabbit ? 1 : 0;
    dialog.m_bNoCorrection = pDoc->m_bCorrecting ? 0 : 1;
    dialog.m_fWrongSeconds = static_cast<float>(pDoc->m_nWrongTime * 0.001);
    dialog.m_fRightSeconds = static_cast<float>(pDoc->m_nRightTime * 0.001);
    const float fWrongShown = dialog.m_fWrongSeconds, fRightShown = dialog.m_fRightSeconds;
    const std::uint32_t nWrongTime = pDoc->m_nWrongTime, nRightTime = pDoc->m_nRightTime;

    // Read back whatever the dialog holds: after Esc these are the values set above.
    const int nResult = m_window.DoModal(dialog);
    pDoc->m_bRabbit = dialog.m_bRabbitCheck != 0;
    pDoc->SetOptions(MillisecondsFromSeconds(dialog.m_fRightSeconds),
                     MillisecondsFromSeconds(dialog.m_fWrongSeconds), dialog.m_bNoCorrection == 0);
    // A time that comes back as it was shown keeps its milliseconds exactly: seconds in
    // single precision cannot hold every stored time.
    if (dialog.m_fWrongSeconds == fWrongShown)
        pDoc->m_nWrongTime = nWrongTime;
    if (dialog.m_fRightSeconds == fRightShown)
        pDoc->m_nRightTime = nRightTime;
    // Confirmed settings are stored at once, so that they survive a crash.
    if (nResult == RESULT_OK && !pDoc->SaveSettings() && pDoc->DescribeSaveFailure() != pDoc->m_strSaveFailureTold)
    {
        pDoc->m_strSaveFailureTold = pDoc->DescribeSaveFailure();
        // TRANSLATORS: {1} says why, as "could not be saved to FILE: REASON".
        m_window.MessageBox(FillIn(Tr("The options {1}.\n\nThey hold until the program ends but are not saved."),
                                   {ReadableText(pDoc->m_strSaveFailureTold)}),
                            "Taldrin", BOX_OK | BOX_ICONEXCLAMATION);
    }
    m_window.InvalidateRect(nullptr, true);
}

namespace
{

std::vector<QuestionId> QuestionIds(const std::vector<HistoryQuestion>& questions)
{
    std::vector<QuestionId> ids;
    for (const HistoryQuestion& question : questions)
    {
        QuestionId id;
        Utf8ToLatin1(question.m_strVerb, id.m_strVerb);
        Utf8ToLatin1(question.m_strPrompt, id.m_strPrompt);
        Utf8ToLatin1(question.m_strExpected, id.m_strExpected);
        while (id.m_nDirection < kDirectionCount && HistoryDirectionName(id.m_nDirection) != question.m_strDirection)
            ++id.m_nDirection;
        ids.push_back(std::move(id));
    }
    return ids;
}

} // namespace

void CVespinView::OnPractiseMistakes()
{
    CVespinDoc* pDoc = GetDocument();
    pDoc->FallBackFromGoneList();
    const HistorySummary* pSummary = m_pHistory ? m_pHistory->Summarise(pDoc->GetListInUse()) : nullptr;
    if (!pSummary)
    {
        TellHistoryUnreadable();
        return;
    }
    if (!pDoc->LoadChosenQuestions(QuestionIds(pSummary->GetMistakes())))
    {
        m_window.MessageBox(Tr(kNoMistakesText), "Taldrin", BOX_OK | BOX_ICONINFORMATION);
        return;
    }
    AskFirstChosenQuestion(pDoc);
}

void CVespinView::OnReviewDue(std::int64_t nNow)
{
    CVespinDoc* pDoc = GetDocument();
    pDoc->FallBackFromGoneList();
    const HistorySummary* pSummary = m_pHistory ? m_pHistory->Summarise(pDoc->GetListInUse()) : nullptr;
    if (!pSummary)
    {
        TellHistoryUnreadable();
        return;
    }
    const std::vector<ReviewItem> items =
        ReviewItems(pSummary->GetReview(), HistoryQuestionsOf(pDoc->ReadAllQuestions()), nNow);
    if (pDoc->LoadChosenQuestions(QuestionIds(DueQuestions(items, nNow, pDoc->GetReviewLimit())), false))
        return AskFirstChosenQuestion(pDoc);
    const ReviewOverview overview = OverviewOf(items, nNow);
    const std::string strText =
        overview.m_nNextDue < 0
            ? Tr("Nothing is due for review: no question of this verb list has been asked yet.")
            // TRANSLATORS: {1} is a date, as 2026-12-08.
            : FillIn(Tr("Nothing is due for review. The next questions are due on {1}."), {HistoryDay(overview.m_nNextDue)});
    m_window.MessageBox(strText, "Taldrin", BOX_OK | BOX_ICONINFORMATION);
}

void CVespinView::AskFirstChosenQuestion(CVespinDoc* pDoc)
{
    if (m_pSpeech)
        m_pSpeech->OnQuestion(*pDoc);
    m_window.SetTimer(TIMER_CARET_BLINK, kCaretBlinkMilliseconds);
    m_window.InvalidateRect(nullptr, true);
}

bool CVespinView::CanMarkSlip() const
{
    return m_pHistory && m_pHistory->CanMarkSlip() && m_doc.m_nLastResult == 0 && !m_doc.m_bFinished &&
           !m_doc.m_pool.empty() && (m_doc.m_bShowingCorrection || !m_doc.m_bCorrecting);
}

bool CVespinView::OnSlip()
{
    return CanMarkSlip() && m_pHistory->MarkSlip();
}

void CVespinView::TellHistoryUnreadable()
{
    const std::string strText = m_pHistory ? m_pHistory->GetUnreadableText() : Tr(kHistoryUnreadableText);
    m_window.MessageBox(strText, "Taldrin", BOX_OK | BOX_ICONEXCLAMATION);
}

// A history that is no history is replaced only after its own question.
void CVespinView::OnForgetHistory()
{
    if (!m_pHistory)
    {
        TellHistoryUnreadable();
        return;
    }
    const bool bForeign = m_pHistory->LookAt() == HistoryState::Foreign;
    const std::string strQuestion = bForeign ? m_pHistory->GetUnreadableText(false) + "\n\n" + Tr(kReplaceHistoryQuestion)
                                             : Tr(kForgetHistoryQuestion);
    if (m_window.MessageBox(strQuestion, "Taldrin", BOX_YESNO | (bForeign ? BOX_ICONEXCLAMATION : BOX_ICONQUESTION)) !=
        RESULT_YES)
        return;
    if (!m_pHistory->Forget(bForeign))
        // TRANSLATORS: {1} says the history could not be deleted, {2} is the system's reason.
        m_window.MessageBox(FillIn(Tr("{1}: {2}."), {Tr(kForgetHistoryFailedText), ReadableText(m_pHistory->GetFailure())}),
                            "Taldrin", BOX_OK | BOX_ICONSTOP);
}

void CVespinView::OnSpeak()
{
    if (m_pSpeech)
        m_pSpeech->Repeat(*GetDocument());
}

void CVespinView::OnHelp()
{
    m_window.ShowHelp();
}
