#include <gtest/gtest.h>

#include "tests/ui/support/PagesFixture.h"
#include "ui/items/ItemControl.h"

namespace {

// An item that counts what the base hands it.
class CountingItem : public ItemControl {
  public:
    explicit CountingItem(std::u16string_view file, int* notified)
        : ItemControl(u"CountingItemUI", file), notified_(notified) {}

    void Notify(uikit::NotifyRecordUI&) override { ++*notified_; }
    int builds = 0;

  protected:
    void OnBuilt() override { ++builds; }

  private:
    int* notified_;
};

class ItemControlTest : public PagesTest {
  protected:
    uikit::CContainerUI& Shelf() {
        auto* shelf = static_cast<uikit::CContainerUI*>(
            manager->FindControl(u"gameTileLayout")->GetInterface(u"Container"));
        EXPECT_NE(shelf, nullptr);
        return *shelf;
    }
    void Broadcast() { manager->SendNotify(manager->GetRoot(), u"itemtest"); }
};

TEST_F(ItemControlTest, AnItemBuildsItsMarkupOnceAndHearsTheWindowUntilItGoes) {
    int notified = 0;
    auto* item = new CountingItem(u"gameLabeItem.xml", &notified);
    ASSERT_TRUE(Shelf().Add(item));
    EXPECT_TRUE(item->IsBuilt());
    EXPECT_EQ(item->builds, 1);
    EXPECT_NE(Inside(item, u"gameLabel"), nullptr);
    EXPECT_EQ(item->GetClass(), u"CountingItemUI");
    EXPECT_EQ(item->GetInterface(u"CountingItemUI"), item);
    EXPECT_NE(item->GetInterface(u"Container"), nullptr);
    Broadcast();
    EXPECT_EQ(notified, 1);

    // Moved to another place of the tree it keeps what it built.
    Shelf().SetAutoDestroy(false);
    ASSERT_TRUE(Shelf().Remove(item));
    Shelf().SetAutoDestroy(true);
    ASSERT_TRUE(Shelf().Add(item));
    EXPECT_EQ(item->builds, 1);

    // Removed, it goes once the window has delivered what was queued (its own notification
    // included); then it is never called again.
    manager->SendNotify(item, u"queued", 0, 0, true);
    ASSERT_TRUE(Shelf().Remove(item));
    manager->DeliverAsyncNotifications();
    EXPECT_EQ(manager->DelayedCleanupCount(), 0u);
    const int heard = notified;
    Broadcast();
    manager->SendNotify(manager->GetRoot(), u"queued", 0, 0, true);
    manager->DeliverAsyncNotifications();
    EXPECT_EQ(notified, heard);
}

TEST_F(ItemControlTest, AnItemWhoseMarkupCannotBeBuiltStaysEmptyAndDeaf) {
    int notified = 0;
    auto* item = new CountingItem(u"NoSuchItem.xml", &notified);
    ASSERT_TRUE(Shelf().Add(item));
    EXPECT_FALSE(item->IsBuilt());
    EXPECT_EQ(item->builds, 0);
    EXPECT_EQ(item->GetCount(), 0);
    Broadcast();
    EXPECT_EQ(notified, 0);
}

}  // namespace
