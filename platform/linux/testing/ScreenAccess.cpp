#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <memory>

#include "platform/linux/testing/VirtualDisplay.h"

namespace platform::testdisplay {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

// A window may go between listing the screen's windows and asking about one of them; that
// answer is then an error of no consequence, which must not end the reading process.
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

DisplayPtr Open() {
    XSetErrorHandler(IgnoreError);
    return DisplayPtr(XOpenDisplay(nullptr));
}

uint32_t PixelAt(XImage* image, int x, int y) {
    return static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
}

}  // namespace

bool ReadScreenPixel(int x, int y, uint32_t& rgb) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    ImagePtr image(
        XGetImage(display.get(), DefaultRootWindow(display.get()), x, y, 1, 1, AllPlanes, ZPixmap));
    if (!image) {
        return false;
    }
    rgb = PixelAt(image.get(), 0, 0);
    return true;
}

bool MovePointerTo(int x, int y) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    XTestFakeMotionEvent(display.get(), -1, x, y, CurrentTime);
    XSync(display.get(), False);
    return true;
}

namespace {

bool FakeButton(int x, int y, bool press, bool release) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    XTestFakeMotionEvent(display.get(), -1, x, y, CurrentTime);
    if (press) {
        XTestFakeButtonEvent(display.get(), 1, True, CurrentTime);
    }
    if (release) {
        XTestFakeButtonEvent(display.get(), 1, False, CurrentTime);
    }
    XSync(display.get(), False);
    return true;
}

}  // namespace

bool ClickAt(int x, int y) {
    return FakeButton(x, y, true, true);
}

bool PressButton(int x, int y) {
    return FakeButton(x, y, true, false);
}

bool ReleaseButton(int x, int y) {
    return FakeButton(x, y, false, true);
}

bool TypeKey(unsigned long keysym) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    const KeyCode code = XKeysymToKeycode(display.get(), keysym);
    if (code == 0) {
        return false;
    }
    XTestFakeKeyEvent(display.get(), code, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), code, False, CurrentTime);
    XSync(display.get(), False);
    return true;
}

namespace {

void FakeKey(Display* display, KeyCode code, bool down) {
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
}

// A key of the text: its code, and whether the keyboard gives the character only with Shift.
bool KeyOf(Display* display, char c, KeyCode& code, bool& shifted) {
    const KeySym sym = static_cast<KeySym>(static_cast<unsigned char>(c));
    code = XKeysymToKeycode(display, sym);
    if (code == 0) {
        return false;
    }
    shifted = XkbKeycodeToKeysym(display, code, 0, 0) != sym;
    return true;
}

std::string WindowTitle(Display* display, Window window) {
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &rest, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

// Offers each shown top-level window, from the top of the stack down, to `take` until it takes
// one; true when one was taken.
template <typename Take>
bool TakeTopWindow(Display* display, Take take) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return false;
    }
    bool taken = false;
    // The list runs from the bottom of the stack to the top.
    for (unsigned int i = count; i-- > 0 && !taken;) {
        XWindowAttributes attributes;
        taken = XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                attributes.map_state == IsViewable && take(children[i], attributes);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return taken;
}

}  // namespace

bool TypeText(const std::string& text) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    const KeyCode shift = XKeysymToKeycode(display.get(), XK_Shift_L);
    for (const char c : text) {
        KeyCode code = 0;
        bool shifted = false;
        if (!KeyOf(display.get(), c, code, shifted)) {
            return false;
        }
        if (shifted) {
            FakeKey(display.get(), shift, true);
        }
        FakeKey(display.get(), code, true);
        FakeKey(display.get(), code, false);
        if (shifted) {
            FakeKey(display.get(), shift, false);
        }
    }
    XSync(display.get(), False);
    return true;
}

bool TypeKeyWith(unsigned long modifierKeysym, unsigned long keysym) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    const KeyCode modifier = XKeysymToKeycode(display.get(), modifierKeysym);
    const KeyCode code = XKeysymToKeycode(display.get(), keysym);
    if (modifier == 0 || code == 0) {
        return false;
    }
    FakeKey(display.get(), modifier, true);
    FakeKey(display.get(), code, true);
    FakeKey(display.get(), code, false);
    FakeKey(display.get(), modifier, false);
    XSync(display.get(), False);
    return true;
}

bool FindShownWindow(const std::string& title, ScreenArea& area) {
    DisplayPtr display = Open();
    return display &&
           TakeTopWindow(display.get(), [&](Window window, const XWindowAttributes& attributes) {
               if (WindowTitle(display.get(), window) != title) {
                   return false;
               }
               area = ScreenArea{attributes.x, attributes.y, attributes.width, attributes.height};
               return true;
           });
}

bool ReadScreenSize(ScreenArea& area) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display.get(), DefaultRootWindow(display.get()), &attributes) == 0) {
        return false;
    }
    area = ScreenArea{0, 0, attributes.width, attributes.height};
    return true;
}

bool ReadScreenArea(const ScreenArea& area, std::vector<uint32_t>& pixels) {
    DisplayPtr display = Open();
    if (!display || area.width <= 0 || area.height <= 0) {
        return false;
    }
    ImagePtr image(XGetImage(display.get(), DefaultRootWindow(display.get()), area.x, area.y,
                             static_cast<unsigned>(area.width), static_cast<unsigned>(area.height),
                             AllPlanes, ZPixmap));
    if (!image) {
        return false;
    }
    pixels.resize(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            pixels[static_cast<size_t>(y) * static_cast<size_t>(area.width) +
                   static_cast<size_t>(x)] = PixelAt(image.get(), x, y);
        }
    }
    return true;
}

bool TopWindowAtIsUnmanaged(int x, int y, bool& unmanaged) {
    DisplayPtr display = Open();
    return display &&
           TakeTopWindow(display.get(), [&](Window, const XWindowAttributes& attributes) {
               if (x < attributes.x || y < attributes.y || x >= attributes.x + attributes.width ||
                   y >= attributes.y + attributes.height) {
                   return false;
               }
               unmanaged = attributes.override_redirect != False;
               return true;
           });
}

bool SaveScreen(const std::string& ppmPath) {
    DisplayPtr display = Open();
    if (!display) {
        return false;
    }
    const Window root = DefaultRootWindow(display.get());
    XWindowAttributes attributes;
    XGetWindowAttributes(display.get(), root, &attributes);
    ImagePtr image(XGetImage(display.get(), root, 0, 0, attributes.width, attributes.height,
                             AllPlanes, ZPixmap));
    FILE* file = image ? std::fopen(ppmPath.c_str(), "wb") : nullptr;
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const uint32_t rgb = PixelAt(image.get(), x, y);
            const unsigned char bytes[3] = {static_cast<unsigned char>(rgb >> 16),
                                            static_cast<unsigned char>(rgb >> 8),
                                            static_cast<unsigned char>(rgb)};
            std::fwrite(bytes, 1, 3, file);
        }
    }
    return std::fclose(file) == 0;
}

}  // namespace platform::testdisplay
