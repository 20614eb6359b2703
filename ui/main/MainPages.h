#pragma once

#include <functional>
#include <memory>

#include "catalog/GameCatalog.h"

namespace uikit {
class CWindowManagerUI;
}

// The catalogue's pages of the main window: the game library (page 0), the game detail page
// (page 1) and the orders page (page 5). The main window hands them the messages that the
// start-up workers and the game tiles post; the pages fill the controls of the main window's
// tree, which they find by name in its window manager.
class MainPages {
  public:
    virtual ~MainPages() = default;

    // MSG_CATALOG_LOADED: one tile per library package of the catalogue, in catalogue order.
    virtual void FillLibrary() = 0;

    // MSG_SHOW_GAME_DETAIL: the package's detail page, its chips and every version of its game;
    // selects page 1 of "gameItemsTab". The main window pushes 1 onto its page history itself.
    virtual void ShowGameDetail(const GamePackage& package) = 0;

    // MSG_ORDERS_LOADED: one row per order; shows "NoContent2" when there is none.
    virtual void FillOrders() = 0;

    // MSG_CATALOG_FAILED, MSG_ORDERS_FAILED: the page says that the server cannot be reached
    // and offers to try again.
    virtual void ShowLibraryOffline() = 0;
    virtual void ShowOrdersOffline() = 0;

    // "libraryRetryBtn", "ordersRetryBtn": the page shows its loading notice again and the
    // call starts again on a worker thread, whose message arrives as the start-up one does.
    virtual void RetryLibrary() = 0;
    virtual void RetryOrders() = 0;
};

// Makes the pages for a main window whose tree has been attached to `manager`.
using MainPagesFactory =
    std::function<std::unique_ptr<MainPages>(uikit::CWindowManagerUI& manager)>;
