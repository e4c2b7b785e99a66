// A printed page: the view's question screen drawn into a PDF, rendered back to pixels.
#include "framework/wx/ViewPrinting.h"

#include "lesson/VespinDoc.h"
#include "support/FakeViewWindow.h"
#include "support/MemorySettingsStore.h"
#include "support/TempDir.h"
#include "view/VespinView.h"

#include <gtest/gtest.h>

#include <cairo-pdf.h>
#include <cairo.h>

#include <cstdlib>

namespace
{

struct PageColours
{
    int nRedAnswer = 0;   // the struck-out answer (220, 0, 0)
    int nRedVerdict = 0;  // the verdict text and score bar (255, 0, 0)
    int nRabbit = 0;      // the sad rabbit's face (128, 0, 0)
    int nGreenBar = 0;    // (0, 255, 0)
    int nNonWhite = 0;
};

PageColours CountColours(cairo_surface_t* pImage)
{
    PageColours counts;
    const int nWidth = cairo_image_surface_get_width(pImage);
    const int nHeight = cairo_image_surface_get_height(pImage);
    const int nStride = cairo_image_surface_get_stride(pImage);
    const unsigned char* pData = cairo_image_surface_get_data(pImage);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
        {
            const auto pixel = *reinterpret_cast<const std::uint32_t*>(pData + y * nStride + x * 4);
            const int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
            counts.nNonWhite += (r & g & b) != 0xFF;
            counts.nRedAnswer += r == 220 && g == 0 && b == 0;
            counts.nRedVerdict += r == 255 && g == 0 && b == 0;
            counts.nRabbit += r == 128 && g == 0 && b == 0;
            counts.nGreenBar += r == 0 && g == 255 && b == 0;
        }
    return counts;
}

} // namespace

TEST(PrintedPage, ShowsTheQuestionScreenWithItsVerdict)
{
    TempDir dir;
    MemorySettingsStore profile;
    CVespinDoc doc(profile);
    FakeViewWindow window;
    CVespinView view(doc, window);
    doc.OnNewDocument();
    Question question;
    question.Set("went", "go", PastTense);
    doc.m_pool = {question, question};
    doc.m_stats.m_nRight = 1;
    doc.m_strTyped = "goed";
    doc.CheckAnswer();
    ASSERT_TRUE(doc.m_bShowingCorrection);

    const std::string strPdf = (dir.Path() / "page.pdf").string();
    cairo_surface_t* pSurface = cairo_pdf_surface_create(strPdf.c_str(), 595, 842);
    cairo_t* pCairo = cairo_create(pSurface);
    DrawScreenOnPage(pCairo, 595, 842, view);
    cairo_destroy(pCairo);
    cairo_surface_finish(pSurface);
    ASSERT_EQ(cairo_surface_status(pSurface), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(pSurface);

    const std::string strPng = (dir.Path() / "page").string();
    const std::string strCommand = "pdftoppm -r 72 -singlefile -png '" + strPdf + "' '" + strPng + "'";
    ASSERT_EQ(std::system(strCommand.c_str()), 0) << strCommand;
    cairo_surface_t* pImage = cairo_image_surface_create_from_png((strPng + ".png").c_str());
    ASSERT_EQ(cairo_surface_status(pImage), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(pImage), 595);

    const PageColours colours = CountColours(pImage);
    cairo_surface_destroy(pImage);
    EXPECT_GT(colours.nRedAnswer, 50) << "the struck-out answer";
    EXPECT_GT(colours.nRedVerdict, 1000) << "the verdict and the red part of the score bar";
    EXPECT_GT(colours.nRabbit, 500) << "the sad rabbit";
    EXPECT_GT(colours.nGreenBar, 1000) << "the green part of the score bar";
    EXPECT_LT(colours.nNonWhite, 595 * 842 / 2) << "a page, not a blot";
}
