#include "platform/win32/window/Win32Windows.h"

#include <shobjidl.h>

#include <cstring>

#include "platform/win32/window/Win32Private.h"

// The system's modal dialogs and the clipboard. A system dialog runs its own loop over the
// thread's queue; the core's posts and ticks reach the program meanwhile through the helper
// window, as they do while the program's own modal loops run.
namespace platform::win32 {
namespace {

constexpr char kFolderTitle[] = "选择文件路径";

UINT ButtonsFor(MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::OkCancel:
            return MB_OKCANCEL;
        case MessageBoxButtons::YesNo:
            return MB_YESNO;
        case MessageBoxButtons::Ok:
            break;
    }
    return MB_OK;
}

struct BoxSearch {
    int answer;
};

// The box is the thread's dialog-class window; it is ended as a closed box would be.
BOOL CALLBACK EndThreadBox(HWND hwnd, LPARAM data) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(hwnd)) {
        EndDialog(hwnd, reinterpret_cast<const BoxSearch*>(data)->answer);
    }
    return TRUE;
}

}  // namespace

LRESULT CALLBACK HelperProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Win32Windows* system = Win32Windows::Running()) {
        return system->HelperMessage(hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Windows::HelperMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDrainMessage) {
        DrainCore();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// What the core holds, delivered from inside a system dialog's loop; a quit ends the dialog.
void Win32Windows::DrainCore() {
    if (systemModal_.load() == 0 || draining_ || modalQuit_) {
        return;
    }
    draining_ = true;
    bool more = true;  // the batch ended before the core had nothing left
    for (int i = 0; i < kDispatchBatch && more; ++i) {
        int code = 0;
        const auto pumped = core_.PumpOne(0, code);
        if (pumped == core::WindowCore::Pump::Quit) {
            modalQuit_ = true;
            modalQuitCode_ = code;
            if (closeModal_) {
                closeModal_();
            }
        }
        more = pumped == core::WindowCore::Pump::Delivered;
    }
    draining_ = false;
    // Only a full batch asks again: a queue never empty would starve the system's timer ticks.
    if (more && !modalQuit_ && systemModal_.load() > 0) {
        PostMessageW(helper_, kDrainMessage, 0, 0);
    }
}

template <typename Run, typename Close>
auto Win32Windows::RunSystemModal(Run run, Close close) {
    const bool outer = systemModal_.load() == 0;
    auto previousClose = std::move(closeModal_);
    closeModal_ = close;
    ++systemModal_;
    PostMessageW(helper_, kDrainMessage, 0, 0);
    auto result = run();
    --systemModal_;
    closeModal_ = std::move(previousClose);
    if (outer && modalQuit_) {
        modalQuit_ = false;
        core_.Post(core::QueuedMessage{0, WM_QUIT, static_cast<uintptr_t>(modalQuitCode_), 0});
    }
    return result;
}

int Win32Windows::MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                             MessageBoxButtons buttons) {
    const std::wstring wideText = Wide(text);
    const std::wstring wideCaption = Wide(caption);
    const HWND hwnd = HwndOf(owner);
    const int closed = ClosedBoxAnswer(buttons);
    const int answer = RunSystemModal(
        [&] {
            return MessageBoxW(hwnd, wideText.c_str(), wideCaption.c_str(),
                               ButtonsFor(buttons) | MB_ICONINFORMATION | MB_SETFOREGROUND);
        },
        [closed] {
            BoxSearch search{closed};
            EnumThreadWindows(GetCurrentThreadId(), EndThreadBox,
                              reinterpret_cast<LPARAM>(&search));
        });
    switch (answer) {
        case IDOK:
            return IDOK;
        case IDCANCEL:
            return IDCANCEL;
        case IDYES:
            return IDYES;
        case IDNO:
            return IDNO;
        default:
            return closed;
    }
}

std::string Win32Windows::ChooseFolder(WindowId owner, const std::string& startFolder) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::string chosen;
    IFileOpenDialog* dialog = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&dialog)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        dialog->SetTitle(Wide(kFolderTitle).c_str());
        IShellItem* start = nullptr;
        if (!startFolder.empty() &&
            SUCCEEDED(SHCreateItemFromParsingName(Wide(startFolder).c_str(), nullptr,
                                                  IID_PPV_ARGS(&start)))) {
            dialog->SetFolder(start);
            start->Release();
        }
        const HRESULT shown =
            RunSystemModal([&] { return dialog->Show(HwndOf(owner)); },
                           [dialog] { dialog->Close(HRESULT_FROM_WIN32(ERROR_CANCELLED)); });
        IShellItem* item = nullptr;
        if (SUCCEEDED(shown) && SUCCEEDED(dialog->GetResult(&item))) {
            wchar_t* path = nullptr;
            if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
                chosen = Utf8(path);
                CoTaskMemFree(path);
            }
            item->Release();
        }
        dialog->Release();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return chosen;
}

// The helper window owns what is put on the clipboard (an owner-less clipboard takes no data).
void Win32Windows::SetClipboardText(const std::string& text) {
    const std::wstring wide = Wide(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return;
    }
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(helper_)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
    CloseClipboard();
}

std::string Win32Windows::GetClipboardText() {
    std::string text;
    if (!OpenClipboard(helper_)) {
        return text;
    }
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            // Bounded by the block's size, so a text without its terminator is not overrun.
            const size_t units = GlobalSize(memory) / sizeof(wchar_t);
            text = Utf8(std::wstring_view(data, wcsnlen(data, units)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace platform::win32
