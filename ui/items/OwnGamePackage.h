#pragma once

#include "catalog/GameCatalog.h"
#include "ui/items/ItemControl.h"

// One version row of the detail page: the version's name, its tag chips and its download
// button, whose tag carries the package to the main window's click handler.
class OwnGamePackage : public ItemControl {
  public:
    // The package lives in the catalogue, which outlives every window.
    explicit OwnGamePackage(const GamePackage& package)
        : ItemControl(u"OwnGamePackageItemUI", u"OwnGamePackageItemUI.xml"), package_(&package) {}

    void DoEvent(uikit::EventRecordUI& event) override;

    const GamePackage& Package() const { return *package_; }

  protected:
    void OnBuilt() override;

  private:
    void AddChips(uikit::CControlUI* grid);

    const GamePackage* package_;
};
