// The panes alone over a recording command sink: events arrive as commands only.
#include <QtTest>

#include <string>
#include <vector>

#include "control/application.h"
#include "control/pane_commands.h"
#include "merge/fake_frame.h"
#include "ui_test_main.h"
#include "view/diff_edit.h"
#include "view/pane_group.h"
#include "window_harness.h"

using namespace tandel;

namespace {

// Every command as one line of text, in order.
class RecordingCommands final : public PaneCommands {
public:
    std::vector<std::string> calls;

    void click(int side, std::int64_t paneRow, bool ctrl) override {
        calls.push_back(line("click", side, paneRow) + (ctrl ? " ctrl" : ""));
    }
    void beginSelection(int side, const SelectionPoint& at) override {
        calls.push_back(line("begin", side, at.row));
    }
    bool extendSelection(int side, const SelectionPoint& at) override {
        calls.push_back(line("extend", side, at.row));
        return false;
    }
    void endSelection() override { calls.emplace_back("end"); }
    void releaseSplit(std::int64_t paneRow) override { calls.push_back(line("split", 0, paneRow)); }
    void drop(int side, std::vector<std::string> names) override {
        calls.push_back(line("drop", side, static_cast<std::int64_t>(names.size())) + " " +
                        names.front());
    }
    void setVisibleRows(std::int32_t) override {}
    HorizontalExtent paneExtent(int, std::int64_t) override { return {}; }
    void setTopLine(std::int32_t topLine) override { calls.push_back(line("top", 0, topLine)); }
    std::array<bool, 2> scrollSideways(int, HorizontalScroll, std::int64_t, std::int64_t) override {
        return {false, false};
    }

private:
    static std::string line(const char* name, int side, std::int64_t n) {
        return std::string(name) + " " + std::to_string(side) + " " + std::to_string(n);
    }
};

} // namespace

class PaneCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void mouseAndDropsBecomeCommandsAndTheModelStaysAsItWas() {
        test::FakeFrame frame;
        Application app{frame};
        app.settings.record.lineHeight = 20;
        RecordingCommands commands;
        QWidget container;
        PaneGroup group(app, commands, &container);
        DiffEdit* pane = group.pane(2);
        pane->setGeometry(0, 0, 300, 200);
        container.resize(300, 200);
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        commands.calls.clear();

        QTest::mouseClick(pane, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 45));
        QTest::mousePress(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
        QTest::mouseMove(pane, QPoint(10, 65));
        QTest::mouseRelease(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 65));
        app.frameState.splitArmed = true;
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(10, 25));
        app.frameState.splitArmed = false;

        QVERIFY(test::dropFiles(pane, {QStringLiteral("/tmp/dropped.txt")}));

        const std::vector<std::string> expected = {
            "click 2 2 ctrl",           "end", "begin 2 0", "extend 2 3", "end", "split 0 1",
            "drop 2 1 /tmp/dropped.txt"};
        QCOMPARE(commands.calls, expected);
        QVERIFY(!app.frameState.selection.active());
        QVERIFY(app.frameState.droppedNames.empty());
        QVERIFY(frame.posted.empty());
    }
};

TANDEL_UI_TEST(PaneCommandsTest)
#include "pane_commands_test.moc"
