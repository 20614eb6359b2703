#pragma once

#include <cstdint>
#include <string>
#include <vector>

// For tests of the desktop window system: a private X server, and reading and driving it as a
// person would, through a connection of its own.
namespace platform::testdisplay {

class VirtualDisplay {
  public:
    VirtualDisplay() = default;
    ~VirtualDisplay() { Stop(); }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts a virtual X server on a display number nobody uses and points DISPLAY at it. The
    // server ends by itself when its last client goes, so a crashed test leaves none behind;
    // until Stop this object stays a client, so programs may come and go on it.
    bool Start(int width = 1920, int height = 1080);
    void Stop();
    int Number() const { return number_; }

  private:
    int pid_ = -1;
    int number_ = -1;
    void* keeper_ = nullptr;  // the connection that keeps the server alive
};

// The colour at a screen point as 0xRRGGBB.
bool ReadScreenPixel(int x, int y, uint32_t& rgb);

// Synthetic input through the X test extension.
bool MovePointerTo(int x, int y);
bool ClickAt(int x, int y);
bool PressButton(int x, int y);
bool ReleaseButton(int x, int y);
// Presses and releases the key of an X key symbol (for example 0xff1b, Escape) on the focused
// window.
bool TypeKey(unsigned long keysym);

// Types each character of an ASCII text as its key, with Shift where the keyboard needs it.
bool TypeText(const std::string& text);
// Holds the modifier key down while the key is pressed, as Ctrl+L is typed.
bool TypeKeyWith(unsigned long modifierKeysym, unsigned long keysym);

struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The topmost shown top-level window with this title (UTF-8), in screen coordinates.
bool FindShownWindow(const std::string& title, ScreenArea& area);

// The whole screen: 0, 0 and its size.
bool ReadScreenSize(ScreenArea& area);

// The colours of a screen area as 0xRRGGBB, row by row.
bool ReadScreenArea(const ScreenArea& area, std::vector<uint32_t>& pixels);

// Whether the top window under a screen point is one the window manager leaves alone
// (override-redirect, as tooltips and menus are). False when no window is there.
bool TopWindowAtIsUnmanaged(int x, int y, bool& unmanaged);

// The whole screen as a binary PPM picture.
bool SaveScreen(const std::string& ppmPath);

}  // namespace platform::testdisplay
