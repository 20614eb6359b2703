#include "ui/main/CatalogPages.h"

#include <vector>

#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/WorkerJob.h"
#include "ui/items/GameDetailLabeItem.h"
#include "ui/items/ItemSupport.h"
#include "ui/items/MyOrderTileLayout.h"
#include "ui/items/OwnGamePackage.h"
#include "ui/items/TagChips.h"
#include "ui/items/VGameItem.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/image/SkinFileName.h"
#include "uikit/layout/TabLayoutUI.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

namespace {

constexpr int kDetailPage = 1;
constexpr int kOrderRowHeight = 55;
constexpr uint32_t kRateColor = 0xFF1B7AFF;

}  // namespace

CatalogPages::CatalogPages(CWindowManagerUI& manager, const GameCatalog& catalog,
                           const OrdersList& orders, PageReloads reloads)
    : manager_(manager),
      catalog_(catalog),
      orders_(orders),
      reloads_(std::move(reloads)),
      libraryNotice_(manager, u"libraryLoading", u"libraryOffline"),
      ordersNotice_(manager, u"ordersLoading", u"ordersOffline") {}

CContainerUI* CatalogPages::FindContainer(std::u16string_view name) const {
    CControlUI* control = manager_.FindControl(name);
    return control != nullptr ? static_cast<CContainerUI*>(control->GetInterface(u"Container"))
                              : nullptr;
}

void CatalogPages::SetTextOf(std::u16string_view name, std::u16string_view text) const {
    if (CControlUI* control = manager_.FindControl(name)) {
        control->SetText(text);
    }
}

void CatalogPages::FillLibrary() {
    libraryNotice_.Show(LoadNotice::State::kLoaded);
    CContainerUI* grid = FindContainer(u"gameTileLayout");
    if (grid == nullptr) {
        return;
    }
    for (const GamePackage& package : catalog_) {
        if (package.InLibrary()) {
            grid->Add(new VGameItem(package));
        }
    }
}

void CatalogPages::ShowGameDetail(const GamePackage& package) {
    ReleaseItems(FindContainer(u"OwnGamePackagesTileLayout"));
    ReleaseItems(FindContainer(u"GameDetailLabelsTileLayout"));
    if (CControlUI* tab = manager_.FindControl(u"gameItemsTab")) {
        if (auto* pages = static_cast<CTabLayoutUI*>(tab->GetInterface(u"TabLayout"))) {
            pages->SelectItem(kDetailPage, true);
        }
    }
    if (CControlUI* picture = manager_.FindControl(u"gameDetailGif")) {
        // The name comes from the server: a name that is more than a file name shows nothing.
        picture->SetBkImage(SkinImageInFolder(u"img/gif/", package.gameDetailPage));
    }
    SetTextOf(u"gameName", package.name);
    AddDetailChips(package);
    ShowHeader(package);
    AddVersions(package);
}

void CatalogPages::ShowHeader(const GamePackage& package) const {
    SetTextOf(u"issueDateLabel", package.issueDate);
    SetTextOf(u"developerLabel", package.developer);
    SetTextOf(u"supportLanguagesLabel", package.supportLanguages);
    SetTextOf(u"sizeLabel", package.size);
    SetTextOf(u"rateLabel", package.rate);
    if (CControlUI* rate = manager_.FindControl(u"rateLabel")) {
        if (auto* label = static_cast<CLabelUI*>(rate->GetInterface(u"Label"))) {
            label->SetTextColor(kRateColor);
        }
    }
}

void CatalogPages::AddDetailChips(const GamePackage& package) const {
    CContainerUI* chips = FindContainer(u"GameDetailLabelsTileLayout");
    if (chips == nullptr) {
        return;
    }
    for (std::u16string& text : SplitTags(package.tag)) {
        chips->Add(new GameDetailLabeItem(std::move(text)));
    }
}

void CatalogPages::AddVersions(const GamePackage& package) const {
    CContainerUI* versions = FindContainer(u"OwnGamePackagesTileLayout");
    if (versions == nullptr) {
        return;
    }
    for (const GamePackage& version : catalog_) {
        if (version.type == package.type) {
            versions->Add(new OwnGamePackage(version));
        }
    }
}

// The items of the previous detail page first stop hearing notifications and leave their
// container; they are deleted later, from the window's cleanup list, because the input or
// notification that led here may still be running through one of them.
void CatalogPages::ReleaseItems(CContainerUI* container) const {
    if (container == nullptr) {
        return;
    }
    std::vector<CControlUI*> items;
    for (int i = 0; i < container->GetCount(); ++i) {
        items.push_back(container->GetItemAt(i));
    }
    for (CControlUI* item : items) {
        StopNotifications(manager_, *item);
    }
    const bool autoDestroy = container->IsAutoDestroy();
    container->SetAutoDestroy(false);
    container->RemoveAll();
    container->SetAutoDestroy(autoDestroy);
    for (CControlUI* item : items) {
        manager_.AddDelayedCleanup(item);
    }
}

void CatalogPages::FillOrders() {
    ordersNotice_.Show(LoadNotice::State::kLoaded);
    CContainerUI* list = FindContainer(u"listOrder");
    if (list == nullptr) {
        return;
    }
    for (const OrderRecord& order : orders_) {
        auto* element = new CListContainerElementUI();
        element->SetFixedHeight(kOrderRowHeight);
        list->Add(element);
        element->Add(new MyOrderTileLayout(order));
    }
    // "暂无内容" only once the server has said so: before that the page is still loading.
    if (CControlUI* notice = manager_.FindControl(u"NoContent2")) {
        notice->SetVisible(list->GetCount() == 0);
    }
}

void CatalogPages::ShowLibraryOffline() {
    libraryNotice_.Show(LoadNotice::State::kOffline);
}

void CatalogPages::ShowOrdersOffline() {
    ordersNotice_.Show(LoadNotice::State::kOffline);
}

// A retry is only taken from the offline notice, so one call at a time fills the list: the
// worker is its only writer until its message has arrived.
void CatalogPages::RetryLibrary() {
    if (libraryNotice_.Current() != LoadNotice::State::kOffline || !reloads_.catalog) {
        return;
    }
    libraryNotice_.Show(LoadNotice::State::kLoading);
    reloads_.catalog();
}

void CatalogPages::RetryOrders() {
    if (ordersNotice_.Current() != LoadNotice::State::kOffline || !reloads_.orders) {
        return;
    }
    ordersNotice_.Show(LoadNotice::State::kLoading);
    reloads_.orders();
}

std::unique_ptr<MainPages> MakeCatalogPages(CWindowManagerUI& manager) {
    AppContext& context = ProcessContext();
    PageReloads reloads{[&context] {
                            StartWorkerThread(LoadCatalog, WorkerJob{&context, &ProcessCatalog()});
                        },
                        [&context] {
                            StartWorkerThread(LoadOrders, WorkerJob{&context, &ProcessOrders()});
                        }};
    return std::make_unique<CatalogPages>(manager, ProcessCatalog(), ProcessOrders(),
                                          std::move(reloads));
}
