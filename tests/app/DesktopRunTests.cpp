#include <cairo.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/ChildProcess.h"
#include "platform/SingleInstance.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "tests/support/Poll.h"

namespace {

constexpr const char* kProgram = KAVRIN_PROGRAM;
constexpr const char* kScreenshot = KAVRIN_SCREENSHOT;

struct Rgb {
    int r, g, b;
};

// A screen of the window's own size: the centred main window then lies exactly on it.
class DesktopRun : public ::testing::Test {
  protected:
    void SetUp() override {
        // The X server picks a display number nobody uses and names it once it takes clients.
        ASSERT_TRUE(screen_.Start(1024, 720));
        display_ = ":" + std::to_string(screen_.Number());
    }
    void TearDown() override {
        if (program_ != nullptr) {
            program_->Terminate();
        }
        screen_.Stop();
    }

    bool TakeScreenshot() {
        auto import = platform::StartChildProcess(
            "/usr/bin/env", {"env", "DISPLAY=" + display_, "import", "-window", "root",
                             std::string("png:") + kScreenshot});
        std::string line;
        while (import != nullptr && import->ReadLine(line, 30000)) {
        }
        return import != nullptr && import->Terminate() == 0;
    }

    Rgb At(cairo_surface_t* shot, int x, int y) {
        const uint8_t* row =
            cairo_image_surface_get_data(shot) + y * cairo_image_surface_get_stride(shot);
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
        return Rgb{static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF)};
    }

    platform::testdisplay::VirtualDisplay screen_;
    std::string display_;
    std::unique_ptr<platform::ChildProcess> program_;
};

bool IsWhite(Rgb c) {
    return c.r == 255 && c.g == 255 && c.b == 255;
}
bool IsBlue(Rgb c) {
    return c.b > 200 && c.r < 110 && c.g < 160;
}

TEST_F(DesktopRun, RealProgramShowsHeadNavigationAndLibraryWhereTheMarkupPutsThem) {
    program_ =
        platform::StartChildProcess("/usr/bin/env", {"env", "DISPLAY=" + display_, kProgram});
    ASSERT_NE(program_, nullptr);

    // The window is up once it listens for later starts; its first frame may follow a moment
    // later, so the screenshot is retaken until the head shows.
    cairo_surface_t* shot = nullptr;
    const auto headShows = [&] {
        if (platform::FindRunningInstance("_SoftMainWnd_", "Kavrin") == nullptr ||
            !TakeScreenshot()) {
            return false;
        }
        if (shot != nullptr) {
            cairo_surface_destroy(shot);
        }
        shot = cairo_image_surface_create_from_png(kScreenshot);
        return cairo_surface_status(shot) == CAIRO_STATUS_SUCCESS &&
               cairo_image_surface_get_width(shot) == 1024 && IsWhite(At(shot, 500, 25)) &&
               IsBlue(At(shot, 20, 108));
    };
    PollUntil(headShows, std::chrono::seconds(30), std::chrono::milliseconds(100));
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(cairo_surface_status(shot), CAIRO_STATUS_SUCCESS);
    // Head: white band with the logo at its left.
    EXPECT_TRUE(IsWhite(At(shot, 500, 25)));
    EXPECT_TRUE(IsBlue(At(shot, 23, 14)));
    // Navigation column: white, with the library option selected at its top.
    EXPECT_TRUE(IsBlue(At(shot, 20, 108)));
    EXPECT_TRUE(IsWhite(At(shot, 100, 400)));
    // The library page right of the column's dividing lines: the bluish background image.
    const Rgb page = At(shot, 600, 700);
    EXPECT_FALSE(IsWhite(page));
    EXPECT_GT(page.b, page.r);
    // The service button floats over the page's bottom right.
    EXPECT_TRUE(IsBlue(At(shot, 960, 660)));
    cairo_surface_destroy(shot);
}

}  // namespace
