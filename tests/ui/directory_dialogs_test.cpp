// "Select directories to merge", "Directory Merging" and "Customize file
// types" driven with real clicks and keys over real folders.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <filesystem>

#include "ui_test_main.h"
#include "dialogs/directory_filters_dialog.h"
#include "dialogs/file_types_dialog.h"
#include "dialogs/select_directories_dialog.h"
#include "merge/fake_frame.h"
#include "settings/settings_record.h"
#include "support/temp_folder.h"

using namespace tandel;

namespace {

template <typename T = QWidget>
T* control(QWidget& dialog, int id) {
    T* found = dialog.findChild<T*>(QString::number(id));
    if (found == nullptr)
        qFatal("control %d missing", id);
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

void type(QWidget& dialog, int id, const QString& text) {
    auto* edit = control<QLineEdit>(dialog, id);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QStringList lines(QWidget& dialog, int id) {
    QStringList out;
    auto* list = control<QListWidget>(dialog, id);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void selectLine(QWidget& dialog, int id, int row) {
    auto* list = control<QListWidget>(dialog, id);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

struct Browse {
    QString title;
    std::string start;
};

struct SelectionSetup {
    testing::TempFolder tree;
    test::FakeFrame frame;
    Settings settings;
    std::vector<Browse> browsed;
    std::optional<std::string> browseAnswer;
    int optionsOpened = 0;

    SelectionSetup() {
        settings.files.selectDir1 = tree.mkdir("one");
        settings.files.selectDir2 = tree.mkdir("two");
        settings.files.selectOutdir = tree.file("out");
        settings.geometry.outDirUIType = kToOther;
    }
    std::unique_ptr<SelectDirectoriesDialog> open() {
        SelectDirectoriesDialog::Hooks hooks;
        hooks.browse = [this](QWidget*, const QString& title, const std::string& start) {
            browsed.push_back({title, start});
            return browseAnswer;
        };
        hooks.options = [this](QWidget*) { ++optionsOpened; };
        auto dialog = std::make_unique<SelectDirectoriesDialog>(frame, settings, hooks, nullptr);
        dialog->show();
        return dialog;
    }
};

} // namespace

class DirectoryDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void showDirectoriesIsTickedAtEveryOpening() {
        SelectionSetup s;
        auto first = s.open();
        QVERIFY(control<QCheckBox>(*first, 1010)->isChecked());
        press(*first, 1010);
        press(*first, 1);
        QCOMPARE(first->result(), int(QDialog::Accepted));
        QVERIFY(!first->selection().showDirectories);
        auto second = s.open();
        QVERIFY(control<QCheckBox>(*second, 1010)->isChecked());
    }

    void tabWalksTheControlsRowByRow() {
        SelectionSetup s;
        auto dialog = s.open();
        QWidget* first = control(*dialog, 1004);
        first->setFocus();
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            visited << dialog->focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"1000", "1003", "1001", "1007", "1008", "1009", "104", "1002",
                                       "1010", "1"}));
    }

    void okCreatesAMissingDirectory1AndTheDestination() {
        SelectionSetup s;
        auto dialog = s.open();
        QCOMPARE(control<QLineEdit>(*dialog, 1004)->text(),
                 QString::fromStdString(s.settings.files.selectDir1));
        QVERIFY(control<QRadioButton>(*dialog, 1009)->isChecked());
        const std::string missing = s.tree.file("new/deeper/one");
        type(*dialog, 1004, QString::fromStdString(missing));
        press(*dialog, 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(std::filesystem::is_directory(missing));
        QVERIFY(std::filesystem::is_directory(s.tree.file("out")));
        QCOMPARE(s.frame.kinds, std::vector<QuestionKind>(2, QuestionKind::MakeDirectory));
        QCOMPARE(dialog->selection().dir1, missing);
        QCOMPARE(s.settings.files.selectDir1, missing);
    }

    void aFolderNameThatIsNotUtf8ComesBackByteForByte() {
        SelectionSetup s;
        s.settings.files.selectDir2 = s.tree.mkdir("caf\xe9");
        auto dialog = s.open();
        press(*dialog, 1);
        QCOMPARE(dialog->selection().dir2, s.tree.file("caf\xe9"));
    }

    void anErrorKeepsTheDialogOpenAndDirectory2ChoiceIsRemembered() {
        SelectionSetup s;
        const std::string file = s.tree.write("plain", "x");
        auto dialog = s.open();
        type(*dialog, 1003, QString::fromStdString(file));
        press(*dialog, 1);
        QVERIFY(dialog->isVisible());
        QCOMPARE(s.frame.messages.size(), std::size_t(1));
        QCOMPARE(s.frame.messages[0].second, file + " is not a directory");

        type(*dialog, 1003, QString::fromStdString(s.tree.file("two")));
        press(*dialog, 1008);
        press(*dialog, 1);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->selection().destination, s.tree.file("two"));
        QCOMPARE(s.settings.geometry.outDirUIType, int(kToDirectory2));
        // Directory 2 is chosen anew each time; "Other:" shows where the results went.
        auto again = s.open();
        QVERIFY(control<QRadioButton>(*again, 1009)->isChecked());
        QCOMPARE(control<QLineEdit>(*again, 104)->text(), QString::fromStdString(s.tree.file("two")));
    }

    void aDestinationInsideADirectoryIsRefusedAndTheDialogStaysOpen() {
        SelectionSetup s;
        auto dialog = s.open();
        const std::string inside = s.tree.file("one/merged");
        type(*dialog, 104, QString::fromStdString(inside));
        press(*dialog, 1);
        QVERIFY(dialog->isVisible());
        QCOMPARE(s.frame.shown(Severity::Error),
                 std::vector<std::string>{"The destination " + inside + " lies inside Directory 1 " +
                                          s.tree.file("one") +
                                          ".\nChoose a destination outside both directories."});
        QVERIFY(!std::filesystem::exists(inside));
        type(*dialog, 104, QString::fromStdString(s.tree.file("merged")));
        press(*dialog, 1);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void cancelChangesNothingButABrowseRemembersItsText() {
        SelectionSetup s;
        const Settings before = s.settings;
        auto dialog = s.open();
        type(*dialog, 1004, QStringLiteral("/typed/one"));
        type(*dialog, 104, QStringLiteral("/typed/out"));
        s.browseAnswer = s.tree.file("chosen");
        press(*dialog, 1002);
        QCOMPARE(s.browsed.size(), std::size_t(1));
        QCOMPARE(s.browsed[0].title, QStringLiteral("Select destination directory"));
        QCOMPARE(s.browsed[0].start, std::string("/typed/out"));
        QCOMPARE(control<QLineEdit>(*dialog, 104)->text(), QString::fromStdString(s.tree.file("chosen")));
        s.browseAnswer.reset();
        press(*dialog, 1000);
        QCOMPARE(s.browsed[1].title, QStringLiteral("Select first directory"));
        QCOMPARE(control<QLineEdit>(*dialog, 1004)->text(), QStringLiteral("/typed/one"));
        press(*dialog, 1005);
        QCOMPARE(s.optionsOpened, 1);
        press(*dialog, 2);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(s.settings.files.selectDir1, std::string("/typed/one"));
        QCOMPARE(s.settings.files.selectOutdir, std::string("/typed/out"));
        QCOMPARE(s.settings.files.selectDir2, before.files.selectDir2);
        QCOMPARE(s.settings.geometry.outDirUIType, before.geometry.outDirUIType);
    }

    void aDroppedFolderReplacesTheEditText() {
        SelectionSetup s;
        auto dialog = s.open();
        auto* edit = control<QLineEdit>(*dialog, 1003);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(s.tree.file("dropped"))),
                      QUrl::fromLocalFile(QStringLiteral("/second"))});
        const QPoint at = edit->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &drop);
        QCOMPARE(edit->text(), QString::fromStdString(s.tree.file("dropped")));
    }

    void patternsAreAddedOnceIgnoringCaseAndReachTheSettingsOnOkOnly() {
        Settings settings;
        settings.lists.includeFilters = {"*.c"};
        settings.lists.excludeFilters = {"test*"};
        std::vector<int> help;
        auto open = [&] {
            auto d = std::make_unique<DirectoryFiltersDialog>(
                settings, [&help](int context) { help.push_back(context); }, nullptr);
            d->show();
            return d;
        };
        const auto trust = [](QWidget& d) {
            return d.findChild<QCheckBox*>(QStringLiteral("trustTimeStamps"));
        };
        auto dialog = open();
        QVERIFY(!control<QCheckBox>(*dialog, 101)->isChecked());
        QVERIFY(!trust(*dialog)->isChecked()); // off unless chosen
        type(*dialog, 601, QStringLiteral("*.C"));
        press(*dialog, 109);
        QCOMPARE(lines(*dialog, 103), QStringList{QStringLiteral("*.c")});
        type(*dialog, 601, QStringLiteral("*.h"));
        press(*dialog, 109);
        QCOMPARE(control<QLineEdit>(*dialog, 601)->text(), QStringLiteral("*.h")); // kept
        press(*dialog, 115); // nothing selected: nothing deleted
        selectLine(*dialog, 116, 0);
        press(*dialog, 115);
        QVERIFY(lines(*dialog, 116).isEmpty());
        // Enter adds what was typed and leaves the dialog open; with nothing
        // typed it is the dialog's OK.
        type(*dialog, 603, QStringLiteral("*.bak"));
        QTest::keyClick(control(*dialog, 603), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QCOMPARE(lines(*dialog, 116), QStringList{QStringLiteral("*.bak")});
        press(*dialog, 23);
        QCOMPARE(help, std::vector<int>{264});
        press(*dialog, 2);
        QCOMPARE(settings.lists.includeFilters, std::vector<std::string>{"*.c"});
        QCOMPARE(settings.lists.excludeFilters, std::vector<std::string>{"test*"});

        dialog = open();
        type(*dialog, 603, QStringLiteral("*.o"));
        press(*dialog, 114);
        press(*dialog, 101);
        QTest::mouseClick(trust(*dialog), Qt::LeftButton, {}, QPoint(6, trust(*dialog)->height() / 2));
        control<QLineEdit>(*dialog, 603)->clear();
        QTest::keyClick(control(*dialog, 603), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(settings.lists.excludeFilters, (std::vector<std::string>{"test*", "*.o"}));
        QCOMPARE(settings.record.recursive, 1);
        QCOMPARE(settings.record.trustTimeStamps, 1);
        QVERIFY(trust(*open())->isChecked());
    }

    void fileTypesNeedBothTextsAndReachTheSettingsOnOkOnly() {
        Settings settings;
        settings.lists.fileFilters = {"*.c"};
        settings.lists.fileDescriptions = {"C sources"};
        std::vector<int> help;
        auto open = [&] {
            auto d = std::make_unique<FileTypesDialog>(
                settings, [&help](int context) { help.push_back(context); }, nullptr);
            d->show();
            return d;
        };
        auto dialog = open();
        QCOMPARE(lines(*dialog, 102), QStringList{QStringLiteral("C sources (*.c)")});
        type(*dialog, 600, QStringLiteral("*.txt"));
        press(*dialog, 108); // no description yet
        QCOMPARE(lines(*dialog, 102).size(), 1);
        type(*dialog, 602, QStringLiteral("Text"));
        press(*dialog, 108);
        selectLine(*dialog, 102, 0);
        press(*dialog, 111);
        QCOMPARE(lines(*dialog, 102), QStringList{QStringLiteral("Text (*.txt)")});
        press(*dialog, 23);
        QCOMPARE(help, std::vector<int>{265});
        press(*dialog, 2);
        QCOMPARE(settings.lists.fileFilters, std::vector<std::string>{"*.c"});

        dialog = open();
        type(*dialog, 600, QStringLiteral("*.c"));
        type(*dialog, 602, QStringLiteral("C again"));
        press(*dialog, 108);
        press(*dialog, 1);
        QCOMPARE(settings.lists.fileFilters, (std::vector<std::string>{"*.c", "*.c"}));
        QCOMPARE(settings.lists.fileDescriptions, (std::vector<std::string>{"C sources", "C again"}));
    }
};

TANDEL_UI_TEST(DirectoryDialogsTest)
#include "directory_dialogs_test.moc"
