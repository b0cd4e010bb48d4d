// The directory dialogs and the directory window over real folders, driven
// with real clicks and keys: "Select directories to merge", "Directory
// Merging", and the two lists with their row colours, sorting, scrolling
// together and a merge run started from a row.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <filesystem>

#include "ui_test_main.h"
#include "dialogs/directory_filters_dialog.h"
#include "dialogs/select_directories_dialog.h"
#include "control/application.h"
#include "dirmerge/directory_merge.h"
#include "merge/fake_frame.h"
#include "support/temp_folder.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"
#include "view/directory_window.h"

using namespace tandel;

namespace {

template <typename T = QWidget> T* control(QWidget& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    if (found == nullptr) {
        qFatal("control %d missing", id);
    }
    return found;
}

// A push button in its middle, a check box or radio button on its indicator.
void press(QWidget& dialog, int id) {
    QWidget* button = control(dialog, id);
    const QPoint at = qobject_cast<QPushButton*>(button) != nullptr
                          ? button->rect().center()
                          : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

void type(QWidget& dialog, int id, const std::string& text) {
    auto* edit = control<QLineEdit>(dialog, id);
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(text));
}

QString text(QWidget& dialog, int id) {
    return control<QLineEdit>(dialog, id)->text();
}

struct Selection {
    testing::TempFolder tree;
    test::FakeFrame frame;
    Settings settings;
    std::vector<std::pair<QString, std::string>> browsed; // title, start
    std::optional<std::string> browseAnswer;

    Selection() {
        settings.files.selectDir1 = tree.mkdir("one");
        settings.files.selectDir2 = tree.mkdir("caf\xe9"); // not UTF-8
        settings.files.selectOutdir = tree.file("out");
        settings.geometry.outDirUIType = kToOther;
    }
    std::unique_ptr<SelectDirectoriesDialog> open() {
        SelectDirectoriesDialog::Hooks hooks;
        hooks.browse = [this](QWidget*, const QString& title, const std::string& start) {
            browsed.emplace_back(title, start);
            return browseAnswer;
        };
        auto dialog = std::make_unique<SelectDirectoriesDialog>(frame, settings, hooks, nullptr);
        dialog->show();
        return dialog;
    }
};

// Two real folder trees, the application over the recording frame, and
// directory merging whose started instances are recorded instead of run.
struct Trees {
    testing::TempFolder tree;
    test::FakeFrame frame;
    Application app{frame};
    std::vector<std::vector<std::string>> started;
    DirectoryMerge dirs{app, "/opt/tandel bin/tandel",
                        [this](const std::vector<std::string>& a) { started.push_back(a); }};
    std::string dir1 = tree.mkdir("left side");
    std::string dir2 = tree.mkdir("right side");
    std::string out = tree.file("out put");

    Trees() {
        app.frameState.directoryWindow = true;
        app.settings.record.recursive = 1;
        app.settings.files.selectDir1 = dir1;
        app.settings.files.selectDir2 = dir2;
        app.settings.files.selectOutdir = out;
    }
    // `name` in both trees, the same or different, the right one a second
    // newer so that they are compared.
    void pair(const std::string& name, bool same, std::int64_t time) {
        tree.write("left side/" + name, "one\n", time);
        tree.write("right side/" + name, same ? "one\n" : "two\n", time + 1);
    }
    int build() { return dirs.buildList(dir1, dir2, out, {}); }
};

// Rows in name order: a equal, b differing, c left only, d right only.
struct SmallTrees : Trees {
    SmallTrees() {
        pair("a.txt", true, 1000);
        pair("b.txt", false, 3000);
        tree.write("left side/c.txt", "left\n", 2000);
        tree.write("right side/d.txt", "right\n", 4000);
        [[maybe_unused]] const int built = build();
    }
};

struct Shown {
    explicit Shown(Trees& f) : window(f.dirs, f.app.settings, nullptr) {
        window.resize(800, 300);
        window.fill();
        window.show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
    }
    DirectoryWindow window;

    DirectoryListView* list(int side) const { return window.list(side); }
    QRect cell(int side, int row, int column = kNameColumn) const {
        const DirectoryListView* l = list(side);
        return l->visualRect(
            l->model()->index(row, DirectoryListModel::columnOf(l->half(), column)));
    }
    QString text(int side, int row, int column = kNameColumn, int role = Qt::DisplayRole) const {
        const DirectoryListView* l = list(side);
        const int section = DirectoryListModel::columnOf(l->half(), column);
        return l->model()->index(row, section).data(role).toString();
    }
    void click(int side, int row) {
        QTest::mouseClick(list(side)->viewport(), Qt::LeftButton, {}, cell(side, row).center());
    }
    void clickHeader(int side, int column) {
        QHeaderView* header = list(side)->header();
        const int section = DirectoryListModel::columnOf(list(side)->half(), column);
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
    }
    QColor colourAt(int side, QPoint at) const {
        return list(side)->viewport()->grab().toImage().pixelColor(at);
    }
    QColor edgeColour(int side, int row) const {
        return colourAt(side,
                        QPoint(list(side)->viewport()->width() - 2, cell(side, row).top() + 1));
    }
};

} // namespace

class DirectoryTest : public QObject {
    Q_OBJECT
private slots:
    void theSelectionRefusesAFileMakesMissingFoldersAndTakesBrowsedAndDroppedOnes() {
        Selection s;
        auto dialog = s.open();
        QVERIFY(control<QCheckBox>(*dialog, 1010)->isChecked());
        press(*dialog, 1010);
        const std::string file = s.tree.write("plain", "x");
        type(*dialog, 1004, file);
        press(*dialog, 1); // refused: the dialog stays open
        QVERIFY(dialog->isVisible());
        QCOMPARE(s.frame.shown(Severity::Error),
                 std::vector<std::string>{file + " is not a directory"});
        const std::string missing = s.tree.file("new/deeper/one");
        type(*dialog, 1004, missing);
        s.browseAnswer = s.tree.file("chosen");
        press(*dialog, 1002); // browse for the destination
        QCOMPARE(s.browsed.back(),
                 std::pair(QStringLiteral("Select destination directory"), s.tree.file("out")));
        QCOMPARE(text(*dialog, 104), QString::fromStdString(s.tree.file("chosen")));
        auto* edit = control<QLineEdit>(*dialog, 104);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(s.tree.file("dropped"))),
                      QUrl::fromLocalFile(QStringLiteral("/second"))});
        QDragEnterEvent enter(edit->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(edit->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &drop);
        press(*dialog, 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(std::filesystem::is_directory(missing));
        QVERIFY(std::filesystem::is_directory(s.tree.file("dropped")));
        QCOMPARE(s.frame.kinds, std::vector<QuestionKind>(2, QuestionKind::MakeDirectory));
        QCOMPARE(dialog->selection().dir1, missing);
        QCOMPARE(dialog->selection().dir2, s.tree.file("caf\xe9")); // byte for byte
        QCOMPARE(dialog->selection().destination, s.tree.file("dropped"));
        QVERIFY(!dialog->selection().showDirectories);
        QVERIFY(control<QCheckBox>(*s.open(), 1010)->isChecked()); // ticked at every opening
    }

    // In "Directory Merging" Enter adds what was typed and leaves the dialog
    // open; with nothing typed it is the dialog's OK.
    void filterPatternsReachTheSettingsOnOk() {
        Settings settings;
        std::vector<int> help;
        DirectoryFiltersDialog filters(
            settings, [&help](int context) { help.push_back(context); }, nullptr);
        filters.show();
        type(filters, 603, "*.o");
        QTest::keyClick(control(filters, 603), Qt::Key_Return);
        QVERIFY(filters.isVisible());
        QVERIFY(settings.lists.excludeFilters.empty());
        press(filters, 101);
        press(filters, 23);
        control<QLineEdit>(filters, 603)->clear();
        QTest::keyClick(control(filters, 603), Qt::Key_Return);
        QVERIFY(!filters.isVisible());
        QCOMPARE(settings.lists.excludeFilters, std::vector<std::string>{"*.o"});
        QCOMPARE(settings.record.recursive, 1);
        QCOMPARE(help, std::vector<int>{264});
    }

    void rowsAreColouredByTheirHalfStartMergeRunsAndSortByAHeader() {
        SmallTrees f;
        Shown s(f);
        const QColor green(0, 255, 0), yellow(255, 255, 0);
        QCOMPARE(s.edgeColour(1, 1), green);
        QCOMPARE(s.edgeColour(2, 1), green);
        QCOMPARE(s.edgeColour(1, 2), green);
        QCOMPARE(s.edgeColour(2, 2), yellow);
        QCOMPARE(s.edgeColour(1, 3), yellow);
        QVERIFY(s.edgeColour(1, 0) != green && s.edgeColour(1, 0) != yellow);
        // The name below its directory, the whole path in the tooltip.
        QCOMPARE(s.text(1, 2), QStringLiteral("c.txt"));
        QCOMPARE(s.text(1, 2, kNameColumn, Qt::ToolTipRole),
                 QString::fromStdString(f.dir1 + "/c.txt"));
        QCOMPARE(s.text(2, 2), QString());

        // Only a differing pair starts a merge run, by a double click or Enter.
        s.click(1, 2);
        for (int row : {0, 2, 3, 1}) {
            s.click(2, row);
            QTest::mouseDClick(s.list(2)->viewport(), Qt::LeftButton, {}, s.cell(2, row).center());
        }
        QCOMPARE(f.started.size(), std::size_t(1));
        const std::vector<std::string> expected = {"/opt/tandel bin/tandel",
                                                   "-f1",
                                                   f.dir1 + "/b.txt",
                                                   "-f2",
                                                   f.dir2 + "/b.txt",
                                                   "-outd",
                                                   f.out};
        QCOMPARE(f.started[0], expected);
        QVERIFY(std::filesystem::is_directory(f.out));
        QVERIFY(s.list(1)->selectedRows().empty()); // a selection in one list clears the other

        // Enter on the current row does the same.
        s.list(1)->setFocus();
        s.list(1)->setCurrentIndex(s.list(1)->model()->index(1, 0));
        QTest::keyClick(s.list(1), Qt::Key_Return);
        QCOMPARE(f.started.size(), std::size_t(2));

        // Back at the window once the run saved its result: the row says so.
        f.tree.write("out put/b.txt", "merged\n");
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&s.window, &activate);
        QCOMPARE(s.text(1, 1, kMarkerColumn), QStringLiteral("merged"));

        // A header clicked twice sorts both lists both ways, keeping the selection.
        s.click(1, 1); // b stays selected wherever it goes
        s.clickHeader(2, kDateColumn);
        // Right halves' times: a 1001, b 3001, c none (0), d 4000.
        QCOMPARE(s.text(2, 0), QStringLiteral("d.txt"));
        QCOMPARE(s.text(1, 1), QStringLiteral("b.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{1});
        s.clickHeader(2, kDateColumn);
        QCOMPARE(s.text(1, 0), QStringLiteral("c.txt"));
        QCOMPARE(s.text(2, 3), QStringLiteral("d.txt"));
        QCOMPARE(s.list(1)->selectedRows(), std::vector<int>{2});
        s.clickHeader(1, kSizeColumn); // largest first: c.txt holds 5 bytes
        QCOMPARE(s.text(1, 0, kSizeColumn), QStringLiteral("5"));
    }
};

TANDEL_UI_TEST(DirectoryTest)
#include "directory_test.moc"
