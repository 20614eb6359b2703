#include "platform/headless/HeadlessInput.h"
#include "tests/platform/WindowBehaviour.h"

// The shared window cases against the in-memory window system.
INSTANTIATE_TEST_SUITE_P(InMemory, WindowBehaviour,
                         ::testing::Values(WindowSystemUnderTest{
                             "Headless", platform::WindowSystemKind::Headless,
                             [](int x, int y) { platform::headless::MouseMove(x, y); },
                             [](int x, int y) { platform::headless::MouseDown(x, y); },
                             [](int x, int y) { platform::headless::MouseUp(x, y); },
                             [](char16_t key) {
                                 const uint32_t code =
                                     key >= u'a' && key <= u'z' ? key - u'a' + 'A' : key;
                                 platform::headless::KeyDown(code);
                                 platform::headless::TypeChar(key);
                                 platform::headless::KeyUp(code);
                             }}),
                         [](const auto& info) { return std::string(info.param.name); });
