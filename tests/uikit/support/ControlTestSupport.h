#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tests/uikit/support/ZipBuilder.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/WindowManagerUI.h"

// Records every notification a window sends, as "type:sender-name".
class NotifyLog : public uikit::INotifyUI {
  public:
    void Notify(uikit::NotifyRecordUI& msg) override {
        records.push_back(msg);
        std::u16string line = msg.type + u":";
        if (msg.sender != nullptr) {
            line += msg.sender->GetName();
        }
        lines.push_back(line);
    }
    std::vector<std::u16string> Of(std::u16string_view type) const {
        std::vector<std::u16string> out;
        for (const auto& line : lines) {
            if (line.starts_with(type) && line[type.size()] == u':') {
                out.push_back(line);
            }
        }
        return out;
    }
    std::vector<uikit::NotifyRecordUI> records;
    std::vector<std::u16string> lines;
};

// A window without a native window: markup built into a manager over a test archive, laid out
// at a client size and driven by injected input.
using Members = std::vector<std::pair<std::string, std::string>>;

class TestWindow {
  public:
    explicit TestWindow(Members members = {}) : archive_(std::make_unique<uikit::SkinArchive>()) {
        if (!members.empty()) {
            archive_->SetFromMemory(MakeZip(members));
        }
        manager_ = std::make_unique<uikit::CWindowManagerUI>(*archive_);
        manager_->AddNotifier(&log);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() { manager_->RemoveNotifier(&log); }

    // Builds markup text as a whole window and lays it out at the size.
    uikit::CControlUI* Build(std::u16string_view markup, uikit::Size size = {400, 300},
                             uikit::IDialogBuilderCallback* callback = nullptr) {
        uikit::CMarkupBuilderUI builder;
        uikit::CControlUI* root = builder.Create(markup, {}, callback, manager_.get());
        if (root == nullptr) {
            return nullptr;
        }
        manager_->OnSize(size);
        manager_->AttachDialog(root);
        manager_->LayoutIfNeeded();
        return root;
    }

    template <typename T = uikit::CControlUI>
    T* Find(std::u16string_view name) const {
        return static_cast<T*>(manager_->FindControl(name));
    }

    void Click(uikit::Point pt) {
        manager_->OnMouseMove(pt);
        manager_->OnLButtonDown(pt);
        manager_->OnLButtonUp(pt);
    }
    void Click(const uikit::CControlUI* control) {
        const uikit::Rect& rc = control->GetPos();
        Click(uikit::Point{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }

    uikit::CWindowManagerUI& Manager() { return *manager_; }
    NotifyLog log;

  private:
    std::unique_ptr<uikit::SkinArchive> archive_;
    std::unique_ptr<uikit::CWindowManagerUI> manager_;
};

inline uikit::Rect R(int l, int t, int r, int b) {
    return uikit::Rect{l, t, r, b};
}

namespace uikit {
inline void PrintTo(const Rect& rc, std::ostream* os) {
    *os << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}
}  // namespace uikit
