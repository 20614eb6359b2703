#include "platform/Window.h"
#include "platform/win32/testing/Input.h"
#include "tests/platform/WindowBehaviour.h"

namespace {

// The window system starts once for the test program, on the display Wine (or Windows) runs
// on.
class DesktopStart : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(platform::SelectWindowSystem(platform::WindowSystemKind::Desktop));
        ASSERT_FALSE(platform::GetWorkArea(0).IsEmpty()) << "the window system did not start";
    }
};

const auto* const kStart = ::testing::AddGlobalTestEnvironment(new DesktopStart);

}  // namespace

// The shared window cases against the Win32 window system, driven by injected input.
INSTANTIATE_TEST_SUITE_P(Win32, WindowBehaviour,
                         ::testing::Values(WindowSystemUnderTest{
                             "Win32", platform::WindowSystemKind::Desktop,
                             [](int x, int y) { platform::testwin32::MovePointerTo(x, y); },
                             [](int x, int y) { platform::testwin32::PressButton(x, y); },
                             [](int x, int y) { platform::testwin32::ReleaseButton(x, y); },
                             [](char16_t key) { platform::testwin32::TypeKey(key); }}),
                         [](const auto& info) { return std::string(info.param.name); });
