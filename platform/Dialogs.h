#pragma once

#include <cstdint>
#include <string>

#include "platform/WindowPost.h"

// The system's own modal dialogs. Texts are UTF-8.
namespace platform {

enum class MessageBoxButtons { Ok, OkCancel, YesNo };

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The answer of a box closed without a button (its close box, Escape, or a quit while it shows):
// the choice that does nothing.
constexpr int ClosedBoxAnswer(MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::Ok:
            return IDOK;
        case MessageBoxButtons::OkCancel:
            return IDCANCEL;
        case MessageBoxButtons::YesNo:
            return IDNO;
    }
    return IDCANCEL;
}

// Modal to owner (which may be 0); the caption is the dialog's title. Returns an ID* answer.
int ShowMessageBox(WindowId owner, const std::string& text, const std::string& caption,
                   MessageBoxButtons buttons = MessageBoxButtons::Ok);

// The folder chooser titled "选择文件路径", modal to owner. Empty when cancelled.
std::string ChooseFolder(WindowId owner, const std::string& startFolder);

}  // namespace platform
