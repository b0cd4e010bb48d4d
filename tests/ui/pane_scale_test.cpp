// The panes at twice the pixels (run with QT_SCALE_FACTOR=2): rows stay whole
// device pixels high, so the edges between coloured rows are sharp, and the
// position bar's ticks are whole logical pixels.
#include <QtTest>

#include "pane_harness.h"
#include "ui_test_main.h"
#include "view/position_bar.h"

using tandel::test::PaneHarness;

class PaneScaleTest : public QObject {
    Q_OBJECT
private slots:
    void rowEdgesAndTicksFallOnDevicePixels() {
        PaneHarness p;
        p.open("a\nb\nc\nd\ne\n", "a\nB\nc\nx\nd\n");
        const QImage image = PaneHarness::grab(p.pane(1));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        const QColor base = p.pane(1)->palette().color(QPalette::Base);
        const QColor green(0, 255, 0), yellow(255, 255, 0);
        const int x = image.width() - 6; // device pixels, right of any text
        const int h = 2 * p.h();
        // Each side of each edge is exactly one colour or the other.
        const std::pair<int, QColor> edges[] = {{h - 1, base},      {h, green},
                                                {2 * h - 1, green}, {2 * h, base},
                                                {3 * h, yellow},    {4 * h - 1, yellow}};
        for (const auto& [y, colour] : edges) {
            QCOMPARE(image.pixelColor(x, y), colour);
        }
        QVERIFY(p.ink(image, 1).any());

        // Runs of tick colour an even number of device rows high.
        tandel::position_bar* bar = p.main->container()->positionBar();
        const QImage ticks = PaneHarness::grab(bar);
        const QColor background = bar->palette().color(QPalette::Base);
        std::vector<int> runs;
        QColor runColour;
        for (int y = 0; y < ticks.height(); ++y) {
            const QColor c = ticks.pixelColor(2, y);
            if (c == background) {
                runColour = QColor();
            } else if (c != runColour) {
                runs.push_back(1);
                runColour = c;
            } else {
                ++runs.back();
            }
        }
        QCOMPARE(runs.size(), std::size_t{3});
        for (const int run : runs) {
            QVERIFY2(run % 2 == 0, qPrintable(QString::number(run)));
        }
    }
};

TANDEL_UI_TEST(PaneScaleTest)
#include "pane_scale_test.moc"
