#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/linux/testing/VirtualDisplay.h"

// Reading the virtual screen as a person looks at it: waiting for a colour or a window to show,
// and keeping what the screen shows as a PNG picture.
namespace desktop {

using namespace std::chrono_literals;

// What the screen needs to show a change it was asked for: a start, a page of the catalogue
// after a click, a window appearing. Passing runs wait only as long as the change takes.
inline constexpr std::chrono::milliseconds kScreenDeadline = 20s;

// Polls `done` until it holds or the deadline passes.
bool PollScreen(const std::function<bool()>& done, std::chrono::milliseconds deadline);

bool WaitForColour(platform::Point at, uint32_t rgb,
                   std::chrono::milliseconds deadline = kScreenDeadline);
bool WaitForOtherColour(platform::Point at, uint32_t rgb,
                        std::chrono::milliseconds deadline = kScreenDeadline);
uint32_t ColourAt(platform::Point at);

// The shown window of this title, polled for until it appears or the deadline passes.
bool WaitForWindow(const std::string& title, platform::testdisplay::ScreenArea& area,
                   std::chrono::milliseconds deadline = kScreenDeadline);
bool WaitForWindowGone(const std::string& title,
                       std::chrono::milliseconds deadline = kScreenDeadline);

// What a screen area shows, to tell later whether it changed.
std::vector<uint32_t> AreaPixels(const platform::Rect& area);
bool WaitForAreaChange(const platform::Rect& area, const std::vector<uint32_t>& before,
                       std::chrono::milliseconds deadline = kScreenDeadline);

// Until the area shows exactly these pixels again.
bool WaitForAreaPixels(const platform::Rect& area, const std::vector<uint32_t>& expected,
                       std::chrono::milliseconds deadline = kScreenDeadline);

// Until two looks at the area (or the whole screen), a moment apart, see the same.
bool WaitForStillArea(const platform::Rect& area, std::chrono::milliseconds deadline);
bool WaitForStillScreen(std::chrono::milliseconds deadline);

// The whole screen as a PNG file.
bool SaveScreenPng(const std::string& path);

}  // namespace desktop
