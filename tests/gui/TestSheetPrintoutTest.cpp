// The test sheet printed to a cairo PDF surface (a printer would wait for a dialog), read by pdftotext.
#include "app/TestSheetPrintout.h"
#include "support/TempDir.h"

#include <wx/dcgraph.h>
#include <wx/graphics.h>

#include <gtest/gtest.h>

#include <cairo-pdf.h>
#include <cairo.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{
// A4 in points, the PDF's unit.
constexpr double kPageWidth = 595.28, kPageHeight = 841.89;

// Prints every page the printout has into a PDF file; returns how many.
int PrintToPdf(CTestSheetPrintout& printout, const std::string& strPath)
{
    cairo_surface_t* pSurface = cairo_pdf_surface_create(strPath.c_str(), kPageWidth, kPageHeight);
    cairo_t* pCairo = cairo_create(pSurface);
    printout.SetPageSizeMM(210, 297);
    printout.SetPageSizePixels(static_cast<int>(kPageWidth), static_cast<int>(kPageHeight));
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(72, 72);
    int nPages = 0;
    {
        wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(pCairo));
        printout.SetDC(&dc);
        printout.OnPreparePrinting();
    }
    int nMin = 0, nMax = 0, nFrom = 0, nTo = 0;
    printout.GetPageInfo(&nMin, &nMax, &nFrom, &nTo);
    for (int nPage = nMin; nPage <= nMax && printout.HasPage(nPage); ++nPage, ++nPages)
    {
        {
            wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(pCairo));
            printout.SetDC(&dc);
            EXPECT_TRUE(printout.OnPrintPage(nPage)) << "page " << nPage;
        }
        cairo_show_page(pCairo);
    }
    printout.SetDC(nullptr);
    cairo_destroy(pCairo);
    cairo_surface_finish(pSurface);
    cairo_surface_destroy(pSurface);
    return nPages;
}

std::string PageText(const std::string& strPdf, int nPage)
{
    const std::string strCommand =
        "pdftotext -f " + std::to_string(nPage) + " -l " + std::to_string(nPage) + " '" + strPdf + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pPipe(popen(strCommand.c_str(), "r"), pclose);
    std::string strText;
    char buffer[4096];
    for (std::size_t n; pPipe && (n = fread(buffer, 1, sizeof buffer, pPipe.get())) > 0;)
        strText.append(buffer, n);
    return strText;
}

// Whole words only: "v1" must not be found inside "v12".
bool HasWord(const std::string& strText, const std::string& strWord)
{
    for (std::size_t n = strText.find(strWord); n != std::string::npos; n = strText.find(strWord, n + 1))
    {
        const auto boundary = [&](std::size_t i) { return i >= strText.size() || !std::isalnum(static_cast<unsigned char>(strText[i])); };
        if ((n == 0 || boundary(n - 1)) && boundary(n + strWord.size()))
            return true;
    }
    return false;
}

// Forms that tell row and form apart: "inf7", "pt7", "pp7", each given in turn.
TestSheet MakeSheet(std::size_t nRows)
{
    TestSheet sheet;
    sheet.m_strTitle = "Year 7 \xC3\xA9tude"; // UTF-8 beyond ASCII
    for (std::size_t i = 1; i <= nRows; ++i)
    {
        TestSheetRow row;
        row.m_given = static_cast<VerbForm>(i % kVerbFormCount);
        row.m_answers = {"inf" + std::to_string(i), "pt" + std::to_string(i), "pp" + std::to_string(i)};
        row.m_cells[row.m_given] = row.m_answers[row.m_given];
        sheet.m_rows.push_back(row);
    }
    return sheet;
}

} // namespace

// Forty rows: several pages of sheet, then the key. Each row's given form is on the sheet
// and its two others are not; the key has all of them, and the pages say which they are.
TEST(TestSheetPrintout, SheetShowsTheGivenFormsOnlyAndTheKeyHasThemAll)
{
    const TestSheet sheet = MakeSheet(40);
    CTestSheetPrintout printout(sheet);
    const TempDir dir;
    const std::string strPdf = (dir.Path() / "sheet.pdf").string();
    const int nPages = PrintToPdf(printout, strPdf);
    const int nSheet = printout.GetSheetPageCount(), nKey = printout.GetKeyPageCount();
    ASSERT_GE(nSheet, 2) << "forty rows with room to write fit on one page";
    ASSERT_GE(nKey, 1);
    ASSERT_EQ(nPages, nSheet + nKey);

    std::string strSheet, strKey;
    for (int nPage = 1; nPage <= nPages; ++nPage)
    {
        const std::string strText = PageText(strPdf, nPage);
        const bool bKey = nPage > nSheet;
        EXPECT_NE(strText.find("Year 7 \xC3\xA9tude"), std::string::npos) << "page " << nPage << ":\n" << strText;
        EXPECT_EQ(strText.find("Answer Key") != std::string::npos, bKey) << "page " << nPage << ":\n" << strText;
        (bKey ? strKey : strSheet) += strText;
    }
    for (std::size_t i = 0; i < sheet.m_rows.size(); ++i)
    {
        const TestSheetRow& row = sheet.m_rows[i];
        EXPECT_TRUE(HasWord(strSheet, std::to_string(i + 1))) << "row number " << i + 1;
        for (int nForm = 0; nForm < kVerbFormCount; ++nForm)
        {
            const std::string& strForm = row.m_answers[nForm];
            EXPECT_EQ(HasWord(strSheet, strForm), nForm == row.m_given) << strForm << " on the sheet";
            EXPECT_TRUE(HasWord(strKey, strForm)) << strForm << " in the key";
        }
    }
    // TALDRIN_SHEET_PDF=file keeps the pages to look at.
    if (const char* pszKeep = std::getenv("TALDRIN_SHEET_PDF"))
        std::filesystem::copy_file(strPdf, pszKeep, std::filesystem::copy_options::overwrite_existing);
}

// No verbs still gives a sheet page with the headings and a key page.
TEST(TestSheetPrintout, AnEmptySheetPrintsHeadingsOnly)
{
    CTestSheetPrintout printout(MakeSheet(0));
    const TempDir dir;
    const std::string strPdf = (dir.Path() / "sheet.pdf").string();
    ASSERT_EQ(PrintToPdf(printout, strPdf), 2);
    EXPECT_NE(PageText(strPdf, 1).find("Past Participle"), std::string::npos) << PageText(strPdf, 1);
}
