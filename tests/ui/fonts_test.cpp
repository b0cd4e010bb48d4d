// Stored font descriptions to fonts and back, and the font commands: the
// measures follow the font, and a new title font lays the panes out again.
#include <QFontDialog>
#include <QtTest>

#include "ui_test_main.h"
#include "view/font_description.h"
#include "frame/command_ids.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"
#include "window_harness.h"

using tandel::FontDescription;
using tandel::test::WindowHarness;
using namespace tandel::ui;

namespace {

// Picks `font` in the font dialog and presses OK.
tandel::test::DialogScript::Answer pickFont(const QFont& font) {
    return [font](QDialog& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        fonts.setCurrentFont(font);
        fonts.accept();
        return fonts.result();
    };
}

} // namespace

class FontsTest : public QObject {
    Q_OBJECT
private slots:
    void descriptionsBecomeFontsAndComeBack() {
        FontDescription d;
        d.faceName = "DejaVu Sans Mono";
        d.weight = 700;
        d.italic = 1;
        d.height = -15;
        d.pitchAndFamily = 0x31; // fixed pitch, modern
        d.charSet = 0;
        const QFont font = fontFromDescription(d);
        QCOMPARE(font.pixelSize(), 15);
        QCOMPARE(font.weight(), QFont::Bold);
        QVERIFY(font.italic());
        QVERIFY(font.fixedPitch());
        QCOMPARE(font.styleHint(), QFont::TypeWriter);
        QCOMPARE(descriptionFromFont(font, d, 96), d);

        // Points come back as pixels at the screen's resolution.
        QFont points(QStringLiteral("Serif"));
        points.setPointSize(12);
        QCOMPARE(descriptionFromFont(points, d, 96).height, -16);
    }

    void oddDescriptionsStillGiveADrawableFont() {
        FontDescription cell;
        cell.height = 24; // a cell height: the characters are smaller
        QCOMPARE(fontFromDescription(cell).pixelSize(), 20);
        FontDescription odd;
        odd.faceName = "No Such Face Anywhere";
        odd.height = -2000000;
        odd.weight = 99999;
        const QFont font = fontFromDescription(odd);
        QVERIFY(font.pixelSize() > 0 && font.pixelSize() <= 500);
        QCOMPARE(font.weight(), QFont::Weight(1000));
        const TextMeasures m = measureFont(font, nullptr);
        QVERIFY(m.lineHeight > 0);
        QVERIFY(m.averageCharWidth > 0);
        FontDescription zero;
        zero.height = 0;
        zero.weight = 0;
        QCOMPARE(fontFromDescription(zero).weight(), QFont::Normal);
    }

    void aNewTitleFontMovesThePanes() {
        WindowHarness h;
        auto window = h.open();
        tandel::edit_cont* container = window->container();
        QFont big = window->titleFont();
        big.setPixelSize(40);
        h.dialogs.answers.push_back(pickFont(big));
        window->runCommand(tandel::cmd::kTitleFont);
        const int titleHeight = window->application().settings.record.titleHeight;
        QCOMPARE(titleHeight, QFontMetrics(window->titleFont()).height() + kTitleMargin);
        QCOMPARE(container->title(1)->height(), titleHeight);
        QCOMPARE(container->pane(1)->y(), titleHeight);
        QCOMPARE(container->title(1)->font().pixelSize(), 40);
        window->close();
        QVERIFY(tandel::testing::readFile(h.ini()).find("Title Point size=-40") !=
                std::string::npos);
    }

    void aNewTextFontChangesTheRowsAndThePreview() {
        WindowHarness h;
        auto window = h.open();
        window->openPreview();
        QFont big = window->textFont();
        big.setPixelSize(32); // 24 points: the dialog works in whole points
        h.dialogs.answers.push_back(pickFont(big));
        window->runCommand(tandel::cmd::kTextFont);
        const tandel::SettingsRecord& record = window->application().settings.record;
        QCOMPARE(window->textFont().pixelSize(), 32);
        QCOMPARE(record.lineHeight, QFontMetrics(window->textFont()).height());
        QCOMPARE(record.charWidth, QFontMetrics(window->textFont()).averageCharWidth());
        QCOMPARE(window->preview()->font().pixelSize(), 32);
        QCOMPARE(window->container()->pane(2)->font().pixelSize(), 32);
        // Cancelled: nothing changes.
        window->runCommand(tandel::cmd::kTextFont);
        QCOMPARE(window->textFont().pixelSize(), 32);
    }
};

TANDEL_UI_TEST(FontsTest)
#include "fonts_test.moc"
