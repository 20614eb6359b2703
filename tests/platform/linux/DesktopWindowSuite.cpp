#include "platform/Window.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "tests/platform/WindowBehaviour.h"

namespace {

// Every test process gets a private X server, started before the window system and ended
// after the last test.
class PrivateDisplay : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(display_.Start()) << "cannot start a virtual X server";
        ASSERT_TRUE(platform::SelectWindowSystem(platform::WindowSystemKind::Desktop));
        ASSERT_FALSE(platform::GetWorkArea(0).IsEmpty()) << "GTK did not start";
    }
    void TearDown() override { display_.Stop(); }

  private:
    platform::testdisplay::VirtualDisplay display_;
};

const auto* const kDisplay = ::testing::AddGlobalTestEnvironment(new PrivateDisplay);

}  // namespace

// The shared window cases against GTK on the virtual X server, driven by synthetic input.
INSTANTIATE_TEST_SUITE_P(Desktop, WindowBehaviour,
                         ::testing::Values(WindowSystemUnderTest{
                             "Gtk", platform::WindowSystemKind::Desktop,
                             [](int x, int y) { platform::testdisplay::MovePointerTo(x, y); },
                             [](int x, int y) { platform::testdisplay::PressButton(x, y); },
                             [](int x, int y) { platform::testdisplay::ReleaseButton(x, y); },
                             [](char16_t key) {
                                 // X key symbols: Latin letters are their own character; Return and
                                 // Escape below.
                                 unsigned long symbol = key;
                                 if (key == u'\r') {
                                     symbol = 0xff0d;
                                 } else if (key == 27) {
                                     symbol = 0xff1b;
                                 }
                                 platform::testdisplay::TypeKey(symbol);
                             }}),
                         [](const auto& info) { return std::string(info.param.name); });
