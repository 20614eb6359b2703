#pragma once

#include <functional>
#include <memory>

#include "catalog/GameCatalog.h"
#include "catalog/OrdersList.h"
#include "ui/main/LoadNotice.h"
#include "ui/main/MainPages.h"

namespace uikit {
class CContainerUI;
class CWindowManagerUI;
}  // namespace uikit

// Starts the catalogue's or the orders' server call again, on a worker thread that fills the
// pages' catalogue or order list and posts to the main window as the start-up worker does.
struct PageReloads {
    std::function<void()> catalog;
    std::function<void()> orders;
};

// The library, detail and orders pages over the main window's tree, filled from a catalogue
// and an order list that outlive the window.
class CatalogPages : public MainPages {
  public:
    CatalogPages(uikit::CWindowManagerUI& manager, const GameCatalog& catalog,
                 const OrdersList& orders, PageReloads reloads = {});

    void FillLibrary() override;
    void ShowGameDetail(const GamePackage& package) override;
    void FillOrders() override;
    void ShowLibraryOffline() override;
    void ShowOrdersOffline() override;
    void RetryLibrary() override;
    void RetryOrders() override;

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
    PageReloads reloads_;
    LoadNotice libraryNotice_;
    LoadNotice ordersNotice_;
};

// The pages of the process's own catalogue and order list; a MainPagesFactory.
std::unique_ptr<MainPages> MakeCatalogPages(uikit::CWindowManagerUI& manager);
