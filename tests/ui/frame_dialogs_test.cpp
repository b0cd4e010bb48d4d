// The frame's dialogs as the user meets them: message boxes, the
// confirmation questions and the ids they return, the open and save dialogs,
// help and About.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>
#include <QToolBar>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

#include "ui_test_main.h"
#include "app/help_viewer.h"
#include "dialogs/about_dialog.h"
#include "frame/command_ids.h"
#include "window_harness.h"

using tandel::Severity;
using tandel::test::clickButton;
using tandel::test::clickStandard;
using tandel::test::pressKey;
using tandel::test::WindowHarness;

class FrameDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesShowTheCaptionAndIconOfTheirSeverity() {
        WindowHarness h;
        auto window = h.open();
        window->message(Severity::Error, "e");
        window->message(Severity::Warning, "w");
        window->message(Severity::Info, "i");
        const auto& shown = h.dialogs.shown;
        QCOMPARE(shown.size(), std::size_t{3});
        QCOMPARE(shown[0].title, QStringLiteral("Error"));
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[1].title, QStringLiteral("Warning"));
        QCOMPARE(shown[1].icon, QMessageBox::Warning);
        QCOMPARE(shown[2].title, QStringLiteral("Info"));
        QCOMPARE(shown[2].icon, QMessageBox::Information);
        QCOMPARE(shown[2].text, QStringLiteral("i"));
    }

    void thePermissionQuestionReturnsTheButtonPressed() {
        WindowHarness h;
        auto window = h.open();
        for (const char* id : {"6", "130", "7", "131", "2"}) {
            h.dialogs.answers.push_back(clickButton(QLatin1String(id)));
            QCOMPARE(window->askPermission({tandel::QuestionKind::PresentOnly, "x", "Copy it?"}),
                     QByteArray(id).toInt());
        }
        h.dialogs.answers.push_back(pressKey(Qt::Key_Escape));
        QCOMPARE(window->askPermission({tandel::QuestionKind::PresentOnly, "x", "Copy it?"}),
                 static_cast<int>(tandel::kAnswerCancel));
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Confirm file operation"));
        QCOMPARE(h.dialogs.shown.back().text, QStringLiteral("Copy it?"));
    }

    void theFileOrDirectoryQuestionReturnsTheCheckedChoice() {
        WindowHarness h;
        auto window = h.open();
        h.dialogs.answers.push_back(pressKey(Qt::Key_Return)); // "&File" is checked at first
        QCOMPARE(window->askFileOrDirectory("/a/x", "/b/x"), static_cast<int>(tandel::kAnswerFile));
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Directory Compare"));
        QCOMPARE(h.dialogs.shown.back().text,
                 QStringLiteral("File /a/x corresponds to directory /b/x. Which of them should be "
                                "copied to the target directory?"));
        for (const char* id : {"125", "126"}) {
            h.dialogs.answers.push_back([id](QDialog& dialog) {
                dialog.show();
                auto* radio = dialog.findChild<QRadioButton*>(QLatin1String(id));
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
                QTest::keyClick(&dialog, Qt::Key_Return);
                return dialog.result();
            });
            QCOMPARE(window->askFileOrDirectory("/a/x", "/b/x"), QByteArray(id).toInt());
        }
        h.dialogs.answers.push_back(pressKey(Qt::Key_Escape));
        QCOMPARE(window->askFileOrDirectory("/a/x", "/b/x"),
                 static_cast<int>(tandel::kAnswerCancel));
    }

    void yesNoQuestionsAnswerByTheButton() {
        WindowHarness h;
        auto window = h.open();
        h.dialogs.answers = {clickStandard(QMessageBox::Yes), clickStandard(QMessageBox::No),
                             pressKey(Qt::Key_Escape)};
        QVERIFY(window->confirmOverwrite(
            {tandel::QuestionKind::Overwrite, "x", "File x already exists.\nSave anyway ?"}));
        QVERIFY(!window->confirmOverwrite({tandel::QuestionKind::Overwrite, "x", "again"}));
        QVERIFY(!window->confirmOverwrite({tandel::QuestionKind::Overwrite, "x", "and again"}));
        QCOMPARE(h.dialogs.shown.front().title, QStringLiteral("Confirm the operation"));

        h.dialogs.answers = {clickStandard(QMessageBox::Yes), clickStandard(QMessageBox::No),
                             clickStandard(QMessageBox::Cancel), pressKey(Qt::Key_Escape)};
        QCOMPARE(window->askYesNoCancel("Confirm file operation",
                                        {tandel::QuestionKind::ReplaceFile, "x", "Replace?"}),
                 6);
        QCOMPARE(window->askYesNoCancel("Confirm file operation",
                                        {tandel::QuestionKind::ReplaceFile, "x", "Replace?"}),
                 7);
        QCOMPARE(window->askYesNoCancel("Confirm file operation",
                                        {tandel::QuestionKind::ReplaceFile, "x", "Replace?"}),
                 2);
        QCOMPARE(window->askYesNoCancel("Confirm file operation",
                                        {tandel::QuestionKind::ReplaceFile, "x", "Replace?"}),
                 2);
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Confirm file operation"));
    }

    void theOpenDialogStartsWhereTheSideLastOpenedAFile() {
        WindowHarness h;
        const std::string sub = h.folder.mkdir("sources");
        const std::string chosen = h.folder.write("sources/main.c", "int x;\n");
        h.folder.write("tandel.ini", "[Files]\nDir name 1=" + sub +
                                         "/\nCurrent index 1=1\n"
                                         "[File Descriptions]\nNumEntries=1\nString 0=C files\n"
                                         "[File filters]\nNumEntries=1\nString 0=*.c;*.h\n");
        auto window = h.open();
        QString title, directory, filter;
        QStringList filters;
        h.dialogs.answers.push_back([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            title = files.windowTitle();
            directory = files.directory().absolutePath();
            filters = files.nameFilters();
            filter = files.selectedNameFilter();
            files.selectFile(QString::fromStdString(chosen));
            dialog.accept();
            return files.result();
        });
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("Open file 1"));
        QCOMPARE(directory, QString::fromStdString(sub));
        QCOMPARE(filters, (QStringList{"All files(*)", "C files (*.c *.h)"}));
        QCOMPARE(filter, QStringLiteral("C files (*.c *.h)"));
        const tandel::Application& app = window->application();
        QCOMPARE(app.model.side(1).fileName, chosen);
        QCOMPARE(app.settings.files.dirName1, sub);

        // Cancelled: nothing changes.
        QTest::keyClick(window.get(), Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(h.dialogs.shown.back().title, QStringLiteral("Open file 2"));
        QVERIFY(app.model.side(2).fileName.empty());

        // With a file loaded, the dialog opens at that file, whatever folder
        // was remembered since.
        window->application().settings.files.dirName1 = h.folder.path();
        QStringList selected;
        h.dialogs.answers.push_back([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            directory = files.directory().absolutePath();
            selected = files.selectedFiles();
            dialog.reject();
            return files.result();
        });
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(directory, QString::fromStdString(sub));
        QCOMPARE(selected, QStringList{QString::fromStdString(chosen)});
    }

    void theSaveDialogWritesTheChosenFile() {
        WindowHarness h;
        const std::string a = h.folder.write("a.txt", "one\ntwo\n");
        const std::string b = h.folder.write("b.txt", "one\n2\n");
        const std::string out = h.folder.file("merged.txt");
        h.folder.write("tandel.ini", "[Options]\nUnix format=1\n");
        auto window = h.open({a, b});
        QCoreApplication::sendPostedEvents();
        QTest::keyClick(window.get(), Qt::Key_A, Qt::ControlModifier);
        h.dialogs.answers.push_back([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            files.selectFile(QString::fromStdString(out));
            dialog.accept();
            return files.result();
        });
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(tandel::testing::readFile(out), std::string("one\n2\ntwo\n"));
        QCOMPARE(window->application().settings.files.outDir, h.folder.path() + "/");
    }

    void helpOpensThePageAtItsContext() {
        WindowHarness h;
        h.helpPage = h.folder.write("help/index.html", "<p>");
        auto window = h.open();
        QTest::keyClick(window.get(), Qt::Key_F1);
        window->showHelp(273);
        QCOMPARE(h.opened.size(), std::size_t{2});
        QCOMPARE(h.opened[0], QUrl::fromLocalFile(QString::fromStdString(h.helpPage)));
        QCOMPARE(h.opened[1].fragment(), QStringLiteral("context-273"));
        QVERIFY(h.dialogs.shown.empty());

        QVERIFY(window->helpViewer() == nullptr);

        WindowHarness none;
        auto bare = none.open();
        bare->showHelp(260);
        QVERIFY(none.opened.empty());
        QVERIFY(none.dialogs.texts().back().contains(QStringLiteral("share/doc/tandel")));
    }

    void withNoBrowserNamedHelpOpensInTheOwnViewerAndFollowsLinks() {
        WindowHarness h;
        h.browserWorks = false;
        h.helpPage = h.folder.write(
            "help/index.html",
            "<html><head><title>Tandel Help</title></head><body><h1>Contents</h1>"
            "<p><a href=\"second.html\">Second</a></p><p id=\"context-273\">Options</p>"
            "</body></html>");
        h.folder.write("help/second.html",
                       "<html><head><title>More help</title></head><body><p>More</p></body></html>");
        auto window = h.open();
        QTest::keyClick(window.get(), Qt::Key_F1);
        tandel::HelpViewer* viewer = window->helpViewer();
        QVERIFY(viewer != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tandel Help"));
        QVERIFY(h.dialogs.shown.empty());

        // A real click on the link moves to the other page, and Back returns.
        QTextBrowser* text = viewer->browser();
        QTextCursor link = text->document()->find(QStringLiteral("Second"));
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 2);
        const QPoint at = text->cursorRect(link).center();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("More help"));
        QCOMPARE(text->source().fileName(), QStringLiteral("second.html"));
        QTest::keyClick(text, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tandel Help"));

        // A dialog's help reaches its place in the same window.
        window->showHelp(273);
        QCOMPARE(window->helpViewer(), viewer);
        QCOMPARE(text->source().fragment(), QStringLiteral("context-273"));
        QCOMPARE(h.opened.size(), std::size_t{2}); // the browser was asked first each time
    }

    void theOptionsSheetUpdatesTheToolbarAndOpensItsHelp() {
        WindowHarness h;
        h.helpPage = h.folder.write("help/index.html", "<p>");
        auto window = h.open();
        QString title;
        h.dialogs.answers.push_back([&](QDialog& sheet) {
            sheet.show();
            title = sheet.windowTitle();
            for (QCheckBox* box : sheet.findChildren<QCheckBox*>()) {
                if (box->text() == QStringLiteral("Table Comparison Mode")) {
                    box->click();
                }
            }
            for (QPushButton* button : sheet.findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Help")) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
            QTest::keyClick(&sheet, Qt::Key_Return); // OK
            return sheet.result();
        });
        QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier); // the Options menu
        QVERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_G); // "&General ..."
        QCOMPARE(title, QStringLiteral("Tandel options"));
        QCOMPARE(window->application().compare.tableMode, 1);
        QVERIFY(window->toolbar()->findChild<QAction*>(QStringLiteral("24"))->isChecked());
        QCOMPARE(h.opened.size(), std::size_t{1});
        QCOMPARE(h.opened[0].fragment(), QStringLiteral("context-273"));
    }

    void aboutShowsTheCaptionVersionsAndLicenceAndAnyButtonCloses() {
        WindowHarness h;
        auto window = h.open();
        QStringList lines;
        h.dialogs.answers.push_back([&](QDialog& dialog) {
            dialog.show();
            for (const char* name : {"501", "version", "qtVersion", "licence"}) {
                auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
                lines << (label != nullptr && label->isVisible() ? label->text() : QString());
            }
            QTest::keyClick(&dialog, Qt::Key_Return);
            return dialog.isVisible() ? -1 : dialog.result();
        });
        // Alt+H, A: the Help menu's About, as a user opens it.
        QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
        QVERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("Tandel v4.5"));
        QCOMPARE(lines[1], QStringLiteral("Version 4.5"));
        QCOMPARE(lines[2], QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
        QVERIFY(lines[3].startsWith(QStringLiteral("Licence: ")));
        QCOMPARE(h.dialogs.shown.back().className, QStringLiteral("tandel::AboutDialog"));
    }
};

TANDEL_UI_TEST(FrameDialogsTest)
#include "frame_dialogs_test.moc"
