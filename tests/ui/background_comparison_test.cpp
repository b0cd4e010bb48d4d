// Loads and comparisons on their own thread: the window answers while they
// run, shows what they do, and Escape stops one without touching what the
// window showed before.
#include <QPushButton>
#include <QtTest>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "ui_test_main.h"
#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "support/failing_file_system.h"
#include "view/progress_panel.h"
#include "window_harness.h"

using tandel::IoStatus;
using tandel::test::WindowHarness;

namespace {

// The file layer with reads held at a gate the test opens.
class GatedFiles : public tandel::testing::FailingFileSystem {
public:
    IoStatus readInput(const std::string& path, std::size_t spare,
                       tandel::InputBytes& out) override {
        std::unique_lock<std::mutex> lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
        lock.unlock();
        return FailingFileSystem::readInput(path, spare, out);
    }
    void open(bool open) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            open_ = open;
        }
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
};

} // namespace

class BackgroundComparisonTest : public QObject {
    Q_OBJECT
private slots:
    void aStoppedLoadLeavesTheComparisonBeforeIt() {
        WindowHarness h;
        h.threaded = true;
        auto window = h.open();
        GatedFiles gate;
        tandel::Application& app = window->application();
        app.model.files = &gate;
        const auto drop = [&](const std::string& name, int side) {
            app.frameState.droppedNames = {name};
            app.frameState.droppedSide = side;
            window->runCommand(tandel::cmd::kLoadDropped);
        };
        const std::string a = h.folder.write("a.txt", "one\ntwo\n");
        drop(a, 1);
        QTRY_VERIFY(!window->busy());
        drop(h.folder.write("b.txt", "one\n2\n"), 2);
        QTRY_VERIFY(!window->busy());
        QCOMPARE(app.model.side(1).segmentCount(), 1);

        gate.open(false);
        drop(h.folder.write("c.txt", "other\n"), 1);
        QVERIFY(window->busy());
        // The window paints, says what it does, and ignores what would
        // change the comparison meanwhile.
        QTRY_VERIFY(window->progressPanel()->isVisible());
        QVERIFY(window->progressPanel()->text().startsWith(QStringLiteral("Reading file 1")));
        QVERIFY(!window->grab().isNull());
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(tandel::JudgingMark(app.model, 0, 1), tandel::CHOICE_NONE);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        gate.open(true);
        QTRY_VERIFY(!window->busy());
        QVERIFY(!window->progressPanel()->isVisible());
        QCOMPARE(app.model.side(1).fileName, a);
        QCOMPARE(app.model.side(1).segmentCount(), 1);
        QVERIFY(h.dialogs.shown.empty());
    }

    void closingStopsAJobAtOnce() {
        WindowHarness h;
        h.threaded = true;
        auto window = h.open();
        GatedFiles gate;
        window->application().model.files = &gate;
        gate.open(false);
        window->application().frameState.droppedNames = {h.folder.write("a.txt", "x\n")};
        window->runCommand(tandel::cmd::kLoadDropped);
        QVERIFY(window->busy());
        std::thread opener([&gate] { gate.open(true); });
        window->close();
        opener.join();
        QVERIFY(!window->isVisible());
        QVERIFY(!window->busy());
        QVERIFY(window->application().model.side(1).fileName.empty());
    }

    void aThreadedComparisonEqualsTheImmediateOne() {
        const std::string one = "a\nb\nc\nd\ne\nf\n";
        const std::string two = "a\nB\nc\nx\ne\nf\ng\n";
        std::vector<std::int32_t> firsts[2];
        for (const bool threaded : {false, true}) {
            WindowHarness h;
            h.threaded = threaded;
            auto window = h.open({h.folder.write("1", one), h.folder.write("2", two)});
            QTRY_VERIFY(!window->busy());
            QCoreApplication::sendPostedEvents();
            for (const auto& range : window->application().model.side(2).textRanges) {
                firsts[threaded ? 1 : 0].push_back(range.first);
            }
        }
        QVERIFY(firsts[0].size() > 1);
        QCOMPARE(firsts[1], firsts[0]);
    }
};

TANDEL_UI_TEST(BackgroundComparisonTest)
#include "background_comparison_test.moc"
