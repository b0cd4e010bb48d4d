// The layout arithmetic of the frame and the container, the splitter, the
// window's place on the screens, the open dialogs' filters and where the
// help pages are found.
#include <QtTest>

#include <unistd.h>

#include <filesystem>
#include <optional>

#include "ui_test_main.h"
#include "app/frame_layout.h"
#include "app/help_location.h"
#include "app/open_filters.h"
#include "app/open_windows.h"
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

    void theWindowLiesWhollyOnTheScreenMostOfItIsOn() {
        const Rect screens[] = {{0, 0, 1280, 800}, {1280, 0, 1024, 768}};
        QCOMPARE(placeOnScreens({100, 50, 640, 480}, screens), (Rect{100, 50, 640, 480}));
        QCOMPARE(placeOnScreens({1300, 10, 640, 480}, screens), (Rect{1300, 10, 640, 480}));
        // Across both: onto the one holding most of it.
        QCOMPARE(placeOnScreens({1250, 10, 640, 480}, screens), (Rect{1280, 10, 640, 480}));
        QCOMPARE(placeOnScreens({900, 10, 640, 480}, screens), (Rect{640, 10, 640, 480}));
        // The bottom below the screen, as after a maximised session.
        QCOMPARE(placeOnScreens({0, 0, 1280, 800}, screens, {1, 30, 1, 1}),
                 (Rect{0, 0, 1278, 769}));
        QCOMPARE(placeOnScreens({200, 600, 640, 480}, screens), (Rect{200, 320, 640, 480}));
        // Off every screen: back onto the first, as near as it fits.
        QCOMPARE(placeOnScreens({5000, 3000, 640, 480}, screens), (Rect{640, 320, 640, 480}));
        QCOMPARE(placeOnScreens({-32000, -32000, 640, 480}, screens), (Rect{0, 0, 640, 480}));
        // Bigger than its screen: shrunk to it.
        QCOMPARE(placeOnScreens({0, 0, 90000, 480}, screens), (Rect{0, 0, 1280, 480}));
        QCOMPARE(placeOnScreens({7, 7, 640, 480}, {}), (Rect{7, 7, 640, 480}));
        QCOMPARE(screenHolding({1500, 0, 10, 10}, screens), screens[1]);
        QCOMPARE(screenHolding({-500, 0, 10, 10}, screens), screens[0]);
    }

    void newWindowsCascadeAndWrapAtTheScreenEdge() {
        const Rect screen{0, 0, 1280, 800};
        const Rect wanted{10, 10, 640, 480};
        QCOMPARE(cascadeFrom({100, 50, 640, 480}, wanted, screen),
                 (Rect{100 + kCascadeStep, 50 + kCascadeStep, 640, 480}));
        // The frame counts: 289 + 30 + 480 + 1 rows reach exactly the bottom.
        QCOMPARE(cascadeFrom({100, 257, 640, 480}, wanted, screen, {1, 30, 1, 1}),
                 (Rect{132, 289, 640, 480}));
        QCOMPARE(cascadeFrom({100, 258, 640, 480}, wanted, screen, {1, 30, 1, 1}),
                 (Rect{0, 0, 640, 480}));
        QCOMPARE(cascadeFrom({700, 10, 640, 480}, wanted, screen), (Rect{0, 0, 640, 480}));
        QCOMPARE(cascadeFrom({1290, 10, 640, 480}, wanted, {1280, 0, 1024, 768}),
                 (Rect{1322, 42, 640, 480}));
        // As big as the screen: a step in, and shrunk so that it still fits.
        QCOMPARE(cascadeFrom({0, 0, 1280, 800}, {0, 0, 1280, 800}, screen),
                 (Rect{kCascadeStep, kCascadeStep, 1280 - kCascadeStep, 800 - kCascadeStep}));
    }

    void runningInstancesShareWhereTheirWindowsAre() {
        tandel::testing::TempFolder root;
        const OpenWindows windows(root.file("windows"));
        const int self = static_cast<int>(::getpid());
        const int parent = static_cast<int>(::getppid());
        std::optional<Rect> seen{Rect{}};
        const auto at = [&seen](Rect r) {
            return [&seen, r](std::optional<Rect> newest) {
                seen = newest;
                return r;
            };
        };
        QCOMPARE(windows.claim(parent, at({1, 2, 3, 4})), (Rect{1, 2, 3, 4}));
        QVERIFY(!seen.has_value());
        windows.claim(self, at({5, 6, 7, 8}));
        QCOMPARE(seen, std::optional<Rect>(Rect{1, 2, 3, 4}));
        // A process's own line never counts, and a newer claim replaces it.
        windows.claim(self, at({9, 9, 9, 9}));
        QCOMPARE(seen, std::optional<Rect>(Rect{1, 2, 3, 4}));
        windows.forget(parent);
        windows.claim(parent, at({1, 1, 1, 1}));
        QCOMPARE(seen, std::optional<Rect>(Rect{9, 9, 9, 9}));
        // Lines of processes that have ended are dropped.
        root.write("windows", "999999999 50 50 50 50\n");
        windows.claim(self, at({2, 2, 2, 2}));
        QVERIFY(!seen.has_value());
        // Without a file the window is alone.
        QCOMPARE(OpenWindows("").claim(self, at({3, 3, 3, 3})), (Rect{3, 3, 3, 3}));
        QCOMPARE(openWindowsPath("/run/user/7", 7), std::string("/run/user/7/tandel-windows"));
        QCOMPARE(openWindowsPath(nullptr, 7), std::string("/tmp/tandel-windows-7"));
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

    void theBrowserVariableNamesTheCommandThatShowsHelp() {
        using Words = std::vector<std::string>;
        const std::string url = "file:///h/index.html#context-273";
        QCOMPARE(browserCommand(nullptr, url), Words{});
        QCOMPARE(browserCommand("", url), Words{});
        QCOMPARE(browserCommand("firefox", url), (Words{"firefox", url}));
        // The first of a list; "%s" is where the page goes.
        QCOMPARE(browserCommand("w3m -o x  %s:lynx", url), (Words{"w3m", "-o", "x", url}));
        QCOMPARE(browserCommand(":lynx", url), Words{});

        tandel::testing::TempFolder root;
        const std::string tool = root.write("b/viewer", "#!/bin/sh\n");
        root.write("a/viewer", "not executable");
        std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
        const std::string path = root.file("a") + ":" + root.file("b");
        QCOMPARE(programOnPath("viewer", path.c_str()), tool);
        QCOMPARE(programOnPath("/opt/x/viewer", path.c_str()), std::string("/opt/x/viewer"));
        QCOMPARE(programOnPath("missing", path.c_str()), std::string());
        QCOMPARE(programOnPath("viewer", nullptr), std::string());
    }
};

TANDEL_UI_TEST(LayoutTest)
#include "layout_test.moc"
