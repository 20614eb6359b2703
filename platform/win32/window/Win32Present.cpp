#include "platform/win32/window/Win32Windows.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/window/Win32Private.h"

// Drawing the presented bitmap and the pointer: capture, cursor and drags. The bitmap's layout
// (premultiplied 32-bit, blue first in memory) is a top-down DIB's, so rows copy unchanged.
namespace platform::win32 {

bool Win32Windows::EnsureBitmap(Native& native, int width, int height) {
    if (native.bitmap != nullptr && native.width == width && native.height == height) {
        return true;
    }
    FreeBitmap(native);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    native.memory = CreateCompatibleDC(nullptr);
    native.bitmap =
        CreateDIBSection(native.memory, &info, DIB_RGB_COLORS, &native.bits, nullptr, 0);
    if (native.memory == nullptr || native.bitmap == nullptr) {
        FreeBitmap(native);
        return false;
    }
    native.previous = SelectObject(native.memory, native.bitmap);
    native.width = width;
    native.height = height;
    return true;
}

void Win32Windows::FreeBitmap(Native& native) {
    if (native.memory != nullptr && native.previous != nullptr) {
        SelectObject(native.memory, native.previous);
    }
    if (native.bitmap != nullptr) {
        DeleteObject(native.bitmap);
    }
    if (native.memory != nullptr) {
        DeleteDC(native.memory);
    }
    native.memory = nullptr;
    native.bitmap = nullptr;
    native.previous = nullptr;
    native.bits = nullptr;
    native.width = native.height = 0;
}

// The bitmap is the client area's, which a window's own frame may inset within the window.
void Win32Windows::Present(WindowId window, const BitmapView& bitmap) {
    Native* native = Find(window);
    const auto record = core_.Find(window);
    if (native == nullptr || record == nullptr || bitmap.pixels == nullptr) {
        return;
    }
    const int width = std::max(1, record->rect.Width());
    const int height = std::max(1, record->rect.Height());
    if (!EnsureBitmap(*native, width, height)) {
        return;
    }
    GdiFlush();
    auto* target = static_cast<uint8_t*>(native->bits);
    const size_t targetStride = static_cast<size_t>(width) * 4;
    std::memset(target, 0, targetStride * static_cast<size_t>(height));
    const int left = record->client.left;
    const int top = record->client.top;
    const int columns = std::min(bitmap.width, width - left);
    for (int y = 0; y < bitmap.height && top + y < height && columns > 0; ++y) {
        std::memcpy(target + static_cast<size_t>(top + y) * targetStride + left * 4,
                    bitmap.pixels + static_cast<size_t>(y) * bitmap.stride,
                    static_cast<size_t>(columns) * 4);
    }
    if (native->layered) {
        UpdateLayered(*native);
    } else if (!native->painting) {
        // Shown at once rather than through another WM_PAINT, which would draw it all again.
        if (HDC dc = GetDC(native->hwnd)) {
            Blit(*native, dc);
            ReleaseDC(native->hwnd, dc);
        }
    }
}

void Win32Windows::Blit(Native& native, HDC target) {
    if (native.memory != nullptr) {
        BitBlt(target, 0, 0, native.width, native.height, native.memory, 0, 0, SRCCOPY);
    }
}

// The window's pixels and their alpha go to the system together; the window shows nothing
// until the first call.
void Win32Windows::UpdateLayered(Native& native) {
    RECT r;
    GetWindowRect(native.hwnd, &r);
    POINT position{r.left, r.top};
    SIZE size{native.width, native.height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(native.hwnd, nullptr, &position, &size, native.memory, &origin, 0, &blend,
                        ULW_ALPHA);
}

void Win32Windows::Paint(Native& native) {
    const HWND hwnd = native.hwnd;
    const WindowId id = native.id;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    native.painting = true;
    core_.Send(id, WM_PAINT, 0, 0);
    if (Native* still = Find(id)) {  // the paint handler may have destroyed the window
        still->painting = false;
        if (still->memory != nullptr) {
            Blit(*still, dc);
        } else {
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    }
    EndPaint(hwnd, &paint);
}

// A layered window gets no WM_PAINT of the system's: the core's arrives through our own.
void Win32Windows::PaintLayered(Native& native) {
    native.paintPending = false;
    native.painting = true;
    const WindowId id = native.id;
    core_.Send(id, WM_PAINT, 0, 0);
    if (Native* still = Find(id)) {
        still->painting = false;
    }
}

void Win32Windows::Invalidate(WindowId window) {
    Native* native = Find(window);
    if (native == nullptr) {
        return;
    }
    if (!native->layered) {
        InvalidateRect(native->hwnd, nullptr, FALSE);
    } else if (!native->paintPending && PostMessageW(native->hwnd, kPaintLayered, 0, 0)) {
        native->paintPending = true;
    }
}

void Win32Windows::Capture(WindowId window) {
    const HWND hwnd = HwndOf(window);
    dragCapture_ = false;
    if (hwnd == nullptr) {
        if (captured_ != 0) {
            captured_ = 0;  // first, so that the release is not taken for a lost capture
            ::ReleaseCapture();
        }
        return;
    }
    captured_ = window;
    ::SetCapture(hwnd);
}

void Win32Windows::SetCursor(WindowId under, Cursor cursor) {
    if (Native* native = Find(under)) {
        native->cursor = cursor;
        ::SetCursor(LoadCursorW(nullptr, cursor == Cursor::Hand ? IDC_HAND : IDC_ARROW));
    }
}

// The core drags the window itself: the press holds the pointer (MouseMessage), the core keeps
// the record's size limits, and its queue and timers run on while the window moves, which the
// system's own move loop would stop.
bool Win32Windows::BeginMoveDrag(WindowId, Point) {
    return false;
}

bool Win32Windows::BeginResizeDrag(const core::WindowRecord&, intptr_t, Point) {
    return false;
}

}  // namespace platform::win32
