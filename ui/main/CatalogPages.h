#pragma once

#include <memory>

#include "catalog/GameCatalog.h"
#include "catalog/OrdersList.h"
#include "ui/main/MainPages.h"

namespace uikit {
class CContainerUI;
class CWindowManagerUI;
}  // namespace uikit

// The library, detail and orders pages over the main window's tree, filled from a catalogue
// and an order list that outlive the window.
class CatalogPages : public MainPages {
  public:
    CatalogPages(uikit::CWindowManagerUI& manager, const GameCatalog& catalog,
                 const OrdersList& orders);

    void FillLibrary() override;
    void ShowGameDetail(const GamePackage& package) override;
    void FillOrders() override;

  private:
    uikit::CContainerUI* FindContainer(std::u16string_view name) const;
    void SetTextOf(std::u16string_view name, std::u16string_view text) const;
    void ShowHeader(const GamePackage& package) const;
    void AddDetailChips(const GamePackage& package) const;
    void AddVersions(const GamePackage& package) const;
    void ReleaseItems(uikit::CContainerUI* container) const;

    uikit::CWindowManagerUI& manager_;
    const GameCatalog& catalog_;
    const OrdersList& orders_;
};

// The pages of the process's own catalogue and order list; a MainPagesFactory.
std::unique_ptr<MainPages> MakeCatalogPages(uikit::CWindowManagerUI& manager);
