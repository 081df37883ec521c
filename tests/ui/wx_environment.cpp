#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace {
// One wx application for the whole GUI test program, on the Xvfb display the test script starts.
class WxEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxTheApp->CallOnInit();
    }
    void TearDown() override { wxEntryCleanup(); }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new WxEnvironment);
}  // namespace
