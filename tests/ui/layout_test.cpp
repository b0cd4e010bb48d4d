// The layout arithmetic of the frame and the container, the splitter, the
// window's place on the screens, the open dialogs' filters and where the
// help pages are found.
#include <QtTest>

#include <filesystem>

#include "app/frame_layout.h"
#include "app/help_location.h"
#include "app/open_filters.h"
#include "support/temp_folder.h"
#include "view/container_layout.h"

using namespace tandel::ui;

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void panesSplitAroundTheStripWhileTitlesSplitAtTheMiddle() {
        QCOMPARE(middleStripWidth(15), 22); // the extent rounded down to even, plus 8
        QCOMPARE(middleStripWidth(16), 24);
        const PaneLayout l = paneLayout(801, 500, 21, 16);
        QCOMPARE(l.title1, (Rect{0, 0, 400, 21}));
        QCOMPARE(l.title2, (Rect{400, 0, 400, 21}));
        QCOMPARE(l.pane1, (Rect{0, 21, 388, 479}));
        QCOMPARE(l.positionBar, (Rect{388, 21, 24, 479}));
        QCOMPARE(l.scrollBar, (Rect{4, 0, 14, 479}));
        QCOMPARE(l.pane2, (Rect{412, 21, 388, 479}));
    }

    void directoryListsShareTheWidthAndTheThirdColumnTakesTheRest() {
        const ListLayout l = listLayout(601, 300);
        QCOMPARE(l.list1, (Rect{0, 0, 300, 300}));
        QCOMPARE(l.list2, (Rect{300, 0, 300, 300}));
        QCOMPARE(thirdColumnWidth(601, 150, 130), 22);
        QCOMPARE(thirdColumnWidth(601, 250, 130), 0);
    }

    void thePreviewTakesAThirdAndTheStripSitsAboveIt() {
        QCOMPARE(bodyLayout(640, 400, std::nullopt).container, (Rect{0, 0, 640, 400}));
        QCOMPARE(openingPreviewHeight(400), 133);
        const BodyLayout l = bodyLayout(640, 400, 133);
        QCOMPARE(l.container, (Rect{0, 0, 640, 263}));
        QCOMPARE(*l.preview, (Rect{0, 267, 640, 133}));
        // The strip grabs from five pixels above the preview to one inside it.
        QVERIFY(!onSplitter(261, 400, 133));
        QVERIFY(onSplitter(262, 400, 133));
        QVERIFY(onSplitter(268, 400, 133));
        QVERIFY(!onSplitter(269, 400, 133));
    }

    void aReleasedSplitterKeepsBothPartsUsable() {
        QCOMPARE(releasedPreviewHeight(217, 400, 40), 183); // 50 pixels above a 133-pixel preview
        QCOMPARE(releasedPreviewHeight(-300, 400, 40), 356);
        QCOMPARE(releasedPreviewHeight(900, 400, 40), 40);
        QCOMPARE(releasedPreviewHeight(10, 60, 40), 28); // too low for both: shared
    }

    void theWindowStaysWhereItCanBeGrabbed() {
        const Rect screens[] = {{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
        QCOMPARE(placeOnScreens({100, 50, 640, 480}, screens), (Rect{100, 50, 640, 480}));
        QCOMPARE(placeOnScreens({1300, 10, 640, 480}, screens), (Rect{1300, 10, 640, 480}));
        QCOMPARE(placeOnScreens({1250, 10, 640, 480}, screens), (Rect{1250, 10, 640, 480}));
        // Off every screen: back onto the first, as near as it fits.
        QCOMPARE(placeOnScreens({5000, 3000, 640, 480}, screens), (Rect{640, 320, 640, 480}));
        // Bigger than its screen: shrunk to it.
        QCOMPARE(placeOnScreens({0, 0, 90000, 480}, screens), (Rect{0, 0, 1280, 480}));
        QCOMPARE(placeOnScreens({7, 7, 640, 480}, {}), (Rect{7, 7, 640, 480}));
    }

    void openFiltersFollowTheFileTypes() {
        tandel::StringLists lists;
        QCOMPARE(openFilters(lists), std::vector<std::string>{"All files(*)"});
        lists.fileDescriptions = {"C sources", "Any", "Empty"};
        lists.fileFilters = {"*.c;*.h", "*.*", ""};
        QCOMPARE(openFilters(lists),
                 (std::vector<std::string>{"All files(*)", "C sources (*.c *.h)", "Any (*)",
                                           "Empty ()"}));
        QCOMPARE(filterToSelect(2, 4), 2);
        QCOMPARE(filterToSelect(4, 4), 0);
        QCOMPARE(filterToSelect(-3, 4), 0);
    }

    void helpPagesAreFoundBesideTheBuildThenInstalled() {
        tandel::testing::TempFolder root;
        const std::string bin = root.mkdir("prefix/bin");
        QCOMPARE(findHelpPage(bin), std::string());
        const std::string installed = root.write("prefix/share/doc/tandel/index.html", "<p>");
        QCOMPARE(findHelpPage(bin), installed);
        const std::string built = root.write("prefix/resources/help/index.html", "<p>");
        QCOMPARE(findHelpPage(bin), built);
        QCOMPARE(helpFragment(0), std::string());
        QCOMPARE(helpFragment(273), std::string("context-273"));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
