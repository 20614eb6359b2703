#include <gtest/gtest.h>

#include "tools/desktop-driver/KavrinPlaces.h"
#include "tools/desktop-driver/MarkupPlaces.h"

namespace {

bool Inside(const platform::Rect& outer, const platform::Rect& inner) {
    return !inner.IsEmpty() && inner.left >= outer.left && inner.top >= outer.top &&
           inner.right <= outer.right && inner.bottom <= outer.bottom;
}

// The driver clicks where these places say: a shadow counted into them, or a setting or cell
// offset lost, sends every click of the end-to-end test and the tour beside its control.
TEST(MarkupPlaces, AreClientPointsOfTheWindowWithoutItsShadow) {
    EXPECT_EQ(desktop::PlaceInMarkup(u"MainWnd.xml", u"head"), (platform::Rect{0, 0, 1024, 50}));
    const platform::Rect ok = desktop::PlaceInMarkup(u"MessageWnd.xml", u"btn_ok");
    EXPECT_TRUE(Inside({0, 0, 380, 240}, ok));
    EXPECT_EQ(ok.Width(), 96);
    EXPECT_TRUE(desktop::PlaceInMarkup(u"MainWnd.xml", u"noSuchControl").IsEmpty());
}

TEST(MarkupPlaces, FollowTheSelectedPageAndTheShownGroup) {
    // A page that is not selected has no place of its own.
    EXPECT_TRUE(desktop::PlaceInMarkup(u"MainWnd.xml", u"returnBtn").IsEmpty());
    EXPECT_FALSE(desktop::PlaceInMarkup(u"MainWnd.xml", u"returnBtn", {"gameItemsTab.selectedid=1"})
                     .IsEmpty());
    const platform::Rect hidden =
        desktop::PlaceInMarkup(u"DownloadList.xml", u"LoadContinue", {}, 800, 70);
    EXPECT_TRUE(hidden.IsEmpty());
}

TEST(KavrinPlaces, RowButtonsOfEveryStatusShareTheActionColumn) {
    const desktop::MainPlaces& main = desktop::MainWindowPlaces();
    // The groups replace each other in one column: the first button of each starts at its left.
    EXPECT_EQ(main.rowContinue.left, main.rowStop.left);
    EXPECT_EQ(main.rowOpenFolder.left, main.rowStop.left);
    EXPECT_GT(main.rowPause.left, main.rowStop.right);
    EXPECT_GT(main.rowAgain.left, main.rowOpenFolder.right);
    // "重新下载" of a completed row lies where a paused row shows nothing.
    EXPECT_GT(main.rowAgain.left, main.rowContinue.right);
    // All of them on the first row, below the page's column titles.
    for (const platform::Rect& button : {main.rowStop, main.rowPause, main.rowContinue,
                                         main.rowOpenFolder, main.rowAgain, main.rowStatus}) {
        EXPECT_EQ(button.top + button.bottom, main.rowStop.top + main.rowStop.bottom);
        EXPECT_GT(button.top, main.head.bottom);
    }
}

TEST(KavrinPlaces, TheFirstTileAndVersionLieInTheirLists) {
    const desktop::MainPlaces& main = desktop::MainWindowPlaces();
    EXPECT_TRUE(Inside({0, 0, 1024, 720}, main.firstTile));
    EXPECT_EQ(main.firstTile.Width(), 190);
    EXPECT_GT(main.firstTile.left, main.library.right);
    EXPECT_TRUE(Inside(main.firstVersion, main.firstVersionDownload));
    const desktop::SelectionPlaces& selection = desktop::SelectionWindowPlaces();
    EXPECT_TRUE(Inside({0, 0, 340, 300}, selection.firstCheck));
    EXPECT_LT(selection.firstCheck.bottom, selection.summary.top);
}

}  // namespace
