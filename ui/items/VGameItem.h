#pragma once

#include "catalog/GameCatalog.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

namespace uikit {
class CButtonUI;
class CLabelUI;
}  // namespace uikit

// A game tile of the library page: the package's cover and caption. A press on the tile asks
// the window to open the package's detail page.
class VGameItem : public uikit::CContainerUI, public uikit::INotifyUI {
  public:
    // The package lives in the catalogue, which outlives every window.
    explicit VGameItem(const GamePackage& package) : package_(&package) {}
    ~VGameItem() override;

    std::u16string_view GetClass() const override { return u"VGameItemUI"; }
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void DoEvent(uikit::EventRecordUI& event) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    const GamePackage& Package() const { return *package_; }

  private:
    void SetHot(bool hot);

    const GamePackage* package_;
    uikit::CControlUI* background_ = nullptr;  // "gameItemBk"
    uikit::CLabelUI* caption_ = nullptr;       // "gameInfoNameLabel"
    uikit::CButtonUI* coverImage_ = nullptr;   // "gameOption"
    bool built_ = false;
};
