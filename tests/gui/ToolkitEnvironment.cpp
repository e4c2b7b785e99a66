// The toolkit started once for all tests of an in-process GUI test executable.
#include <wx/app.h>

#include <gtest/gtest.h>

namespace
{
struct Toolkit : testing::Environment
{
    void SetUp() override
    {
        wxApp::SetInstance(new wxApp);
        int argc = 0;
        ASSERT_TRUE(wxEntryStart(argc, static_cast<wxChar**>(nullptr)) && wxTheApp->CallOnInit()) << "is DISPLAY set?";
    }
    void TearDown() override { wxTheApp->OnExit(), wxEntryCleanup(); }
};
testing::Environment* const kToolkit = testing::AddGlobalTestEnvironment(new Toolkit);
} // namespace
