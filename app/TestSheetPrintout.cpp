#include "app/TestSheetPrintout.h"

#include "framework/Translation.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewPrinting.h"

#include <wx/control.h>
#include <wx/dc.h>
#include <wx/font.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kTitlePoints = 14;
constexpr int kBodyPoints = 11;
// Rows of the sheet leave room to write by hand; the key's are tighter.
constexpr double kSheetRowLines = 2.2;
constexpr double kKeyRowLines = 1.5;

wxFont BodyFont(bool bBold = false)
{
    wxFontInfo info(kBodyPoints);
    info.Family(wxFONTFAMILY_SWISS).Bold(bBold);
    return wxFont(info);
}

wxFont TitleFont()
{
    return wxFont(wxFontInfo(kTitlePoints).Family(wxFONTFAMILY_SWISS).Bold());
}

int PagesFor(std::size_t nLines, int nRowsPerPage)
{
    const std::size_t nPerPage = static_cast<std::size_t>(std::max(nRowsPerPage, 1));
    return std::max(1, static_cast<int>((nLines + nPerPage - 1) / nPerPage));
}

} // namespace

CTestSheetPrintout::CTestSheetPrintout(TestSheet sheet)
    : wxPrintout(WxText(Tr("Test Sheet"))), m_sheet(std::move(sheet))
{
}

// The page inside the margins, with a screen pixel as one logical unit so that fonts look
// as on the screen. A DC over a graphics context of no known size (a PDF page in the
// tests) is taken in the page's own pixels.
CTestSheetPrintout::Layout CTestSheetPrintout::PrepareDC()
{
    Layout layout;
    wxDC& dc = *GetDC();
    wxRect page;
    if (dc.GetSize().x > 0)
    {
        MapScreenSizeToPage();
        page = GetLogicalPageRect();
    }
    else
    {
        int nWidth = 0, nHeight = 0;
        GetPageSizePixels(&nWidth, &nHeight);
        page = wxRect(0, 0, nWidth, nHeight);
    }
    int nWidthMM = 0, nHeightMM = 0;
    GetPageSizeMM(&nWidthMM, &nHeightMM);
    const double fPerMM = page.width / static_cast<double>(nWidthMM > 0 ? nWidthMM : 210);
    layout.page = page.Deflate(static_cast<int>(std::lround(kPrintMarginMM * fPerMM)));

    dc.SetFont(TitleFont());
    const int nTitleHeight = dc.GetCharHeight();
    dc.SetFont(BodyFont());
    layout.nLineHeight = dc.GetCharHeight();
    const int nSheetTop = nTitleHeight + 4 * layout.nLineHeight; // title, name, instruction, gap
    const int nKeyTop = nTitleHeight + layout.nLineHeight;
    const int nTable = layout.page.height - 2 * layout.nLineHeight; // headings, page number
    layout.nSheetRows =
        std::max(1, static_cast<int>((nTable - nSheetTop) / (kSheetRowLines * layout.nLineHeight)));
    layout.nKeyRows = std::max(1, static_cast<int>((nTable - nKeyTop) / (kKeyRowLines * layout.nLineHeight)));
    return layout;
}

void CTestSheetPrintout::OnPreparePrinting()
{
    if (!GetDC())
        return;
    const Layout layout = PrepareDC();
    m_nSheetPages = PagesFor(m_sheet.m_rows.size(), layout.nSheetRows);
    m_nKeyPages = PagesFor(m_sheet.m_rows.size(), layout.nKeyRows);
}

bool CTestSheetPrintout::HasPage(int nPage)
{
    return nPage >= 1 && nPage <= m_nSheetPages + m_nKeyPages;
}

void CTestSheetPrintout::GetPageInfo(int* pMinPage, int* pMaxPage, int* pFromPage, int* pToPage)
{
    *pMinPage = *pFromPage = 1;
    *pMaxPage = *pToPage = m_nSheetPages + m_nKeyPages;
}

bool CTestSheetPrintout::OnPrintPage(int nPage)
{
    wxDC* pDC = GetDC();
    if (!pDC || !HasPage(nPage))
        return false;
    DrawPage(*pDC, PrepareDC(), nPage);
    return true;
}

void CTestSheetPrintout::DrawPage(wxDC& dc, const Layout& layout, int nPage)
{
    const bool bKey = nPage > m_nSheetPages;
    const int nLine = layout.nLineHeight;
    const wxRect& page = layout.page;
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.SetTextForeground(*wxBLACK);
    dc.SetPen(wxPen(*wxBLACK, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);

    int y = page.y;
    dc.SetFont(TitleFont());
    const wxString strTitle = wxString::FromUTF8(m_sheet.m_strTitle);
    // TRANSLATORS: the answer key's heading, after the list's title and a dash.
    dc.DrawText(wxControl::Ellipsize(bKey ? strTitle + wxString::FromUTF8(" \u2013 ") + WxText(Tr("Answer Key")) : strTitle,
                                     dc, wxELLIPSIZE_END, page.width),
                page.x, y);
    y += dc.GetCharHeight();
    dc.SetFont(BodyFont());
    if (!bKey)
    {
        y += nLine;
        // TRANSLATORS: a line on the printed sheet for the learner's name and the date.
        dc.DrawText(WxText(Tr("Name: ______________________     Date: ____________")), page.x, y);
        y += nLine;
        dc.DrawText(WxText(Tr("Write the two missing forms of each verb.")), page.x, y);
        y += 2 * nLine;
    }
    else
        y += nLine;

    // Columns: the row number, then the three forms in equal parts.
    const int nPad = dc.GetTextExtent("n").x;
    const int nNumberWidth = dc.GetTextExtent("0000").x + 2 * nPad;
    const int nFormWidth = (page.width - nNumberWidth) / 3;
    const auto columnLeft = [&](int nColumn) { return page.x + nNumberWidth + nColumn * nFormWidth; };
    const int nRight = columnLeft(3);

    dc.SetFont(BodyFont(true));
    dc.DrawText(WxText(Tr("No.")), page.x + nPad, y);
    for (int i = 0; i < 3; ++i)
        dc.DrawText(WxText(Tr(VerbFormName(i))), columnLeft(i) + nPad, y);
    y += nLine + nLine / 4;
    const int nTableTop = y;

    const int nRowHeight =
        static_cast<int>(std::lround((bKey ? kKeyRowLines : kSheetRowLines) * nLine));
    const std::size_t nPerPage = static_cast<std::size_t>(bKey ? layout.nKeyRows : layout.nSheetRows);
    const std::size_t nFirst = static_cast<std::size_t>(bKey ? nPage - m_nSheetPages - 1 : nPage - 1) * nPerPage;
    const std::size_t nEnd = std::min(m_sheet.m_rows.size(), nFirst + nPerPage);
    dc.DrawLine(page.x, y, nRight, y);
    for (std::size_t nRow = nFirst; nRow < nEnd; ++nRow)
    {
        const TestSheetRow& row = m_sheet.m_rows[nRow];
        const int nTextY = y + (nRowHeight - nLine) / 2;
        dc.SetFont(BodyFont());
        dc.DrawText(wxString::Format("%zu", nRow + 1), page.x + nPad, nTextY);
        for (int i = 0; i < kVerbFormCount; ++i)
        {
            // In the key the answers stand out from the form that was given.
            dc.SetFont(BodyFont(bKey && i != row.m_given));
            const std::string& strText = bKey ? row.m_answers[i] : row.m_cells[i];
            dc.DrawText(wxControl::Ellipsize(wxString::FromUTF8(strText), dc, wxELLIPSIZE_END,
                                             nFormWidth - 2 * nPad),
                        columnLeft(i) + nPad, nTextY);
        }
        y += nRowHeight;
        dc.DrawLine(page.x, y, nRight, y);
    }
    for (int i = 0; i <= 3; ++i)
        dc.DrawLine(columnLeft(i), nTableTop, columnLeft(i), y);

    dc.SetFont(BodyFont());
    // TRANSLATORS: {1} is the page's number, {2} how many pages there are.
    const wxString strPage = bKey ? WxText(FillIn(Tr("Answer key, page {1} of {2}"),
                                                  {std::to_string(nPage - m_nSheetPages), std::to_string(m_nKeyPages)}))
                                  : WxText(FillIn(Tr("Page {1} of {2}"), {std::to_string(nPage), std::to_string(m_nSheetPages)}));
    dc.DrawText(strPage, page.GetRight() - dc.GetTextExtent(strPage).x, page.GetBottom() - nLine);
}
