#pragma once

#include "catalog/GameCatalog.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

// One version row of the detail page: the version's name, its tag chips and its download
// button, whose tag carries the package to the main window's click handler.
class OwnGamePackage : public uikit::CContainerUI, public uikit::INotifyUI {
  public:
    // The package lives in the catalogue, which outlives every window.
    explicit OwnGamePackage(const GamePackage& package) : package_(&package) {}
    ~OwnGamePackage() override;

    std::u16string_view GetClass() const override { return u"OwnGamePackageItemUI"; }
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void DoEvent(uikit::EventRecordUI& event) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    const GamePackage& Package() const { return *package_; }

  private:
    void AddChips(uikit::CControlUI* grid);

    const GamePackage* package_;
    bool built_ = false;
};
