// Starts the toolkit once for all in-process window tests; needs DISPLAY (in-xvfb.sh).
#include <wx/app.h>
#include <wx/init.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
    {
        std::fprintf(stderr, "the toolkit could not start: is DISPLAY set?\n");
        return 2;
    }
    const int nResult = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return nResult;
}
