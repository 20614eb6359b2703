#pragma once

#include "catalog/GameCatalog.h"
#include "ui/items/ItemControl.h"

namespace uikit {
class CButtonUI;
class CLabelUI;
}  // namespace uikit

// A game tile of the library page: the package's cover and caption. A press on the tile asks
// the window to open the package's detail page.
class VGameItem : public ItemControl {
  public:
    // The package lives in the catalogue, which outlives every window.
    explicit VGameItem(const GamePackage& package)
        : ItemControl(u"VGameItemUI", u"GameItem.xml"), package_(&package) {}

    void DoEvent(uikit::EventRecordUI& event) override;

    const GamePackage& Package() const { return *package_; }

  protected:
    void OnBuilt() override;

  private:
    void SetHot(bool hot);

    const GamePackage* package_;
    uikit::CControlUI* background_ = nullptr;  // "gameItemBk"
    uikit::CLabelUI* caption_ = nullptr;       // "gameInfoNameLabel"
    uikit::CButtonUI* coverImage_ = nullptr;   // "gameOption"
};
