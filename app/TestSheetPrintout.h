// The printed test sheet: pages of a table with one form given per row and two left to
// fill in, then the answer key with every form. Draws only: the rows, their order and
// the form given come from the editor's TestSheet.
#pragma once

#include "editor/TestSheet.h"

#include <wx/print.h>

class CTestSheetPrintout : public wxPrintout
{
public:
    explicit CTestSheetPrintout(TestSheet sheet);

    void OnPreparePrinting() override;
    bool OnPrintPage(int nPage) override;
    bool HasPage(int nPage) override;
    void GetPageInfo(int* pMinPage, int* pMaxPage, int* pFromPage, int* pToPage) override;

    int GetSheetPageCount() const { return m_nSheetPages; }
    int GetKeyPageCount() const { return m_nKeyPages; }

private:
    struct Layout
    {
        wxRect page;          // inside the margins, in the DC's logical units
        int nLineHeight = 0;  // of the body font
        int nSheetRows = 1;   // rows per page with room to write
        int nKeyRows = 1;     // rows per page of the key
    };

    Layout PrepareDC();
    void DrawPage(wxDC& dc, const Layout& layout, int nPage);

    TestSheet m_sheet;
    int m_nSheetPages = 1;
    int m_nKeyPages = 1;
};
