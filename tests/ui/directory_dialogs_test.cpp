// "Select directories to merge" and "Directory Merging" over real folders,
// driven with real clicks, keys and drops.
#include <QCheckBox>
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
#include "merge/fake_frame.h"
#include "support/temp_folder.h"

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

} // namespace

class DirectoryDialogsTest : public QObject {
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
};

TANDEL_UI_TEST(DirectoryDialogsTest)
#include "directory_dialogs_test.moc"
