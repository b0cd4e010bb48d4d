// Builds the real main window over fakes: a settings file in a private
// folder, dialogs that a test answers with real clicks and keys instead of a
// user, a recording browser and process starter.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "dialogs/ask_permission_dialog.h"
#include "dialogs/file_to_dir_dialog.h"
#include "support/temp_folder.h"

namespace tandel::test {

// A dialog as the window showed it.
struct ShownDialog {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class DialogScript {
public:
    using Answer = std::function<int(QDialog&)>;

    // Answers, oldest first; with none left a dialog is closed unanswered.
    std::deque<Answer> answers;
    std::vector<ShownDialog> shown;

    int run(QDialog& dialog) {
        shown.push_back(describe(dialog));
        if (answers.empty()) {
            return QDialog::Rejected;
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        return answer(dialog);
    }

    // The texts of the message boxes shown, in order.
    std::vector<QString> texts() const {
        std::vector<QString> out;
        for (const ShownDialog& d : shown) {
            out.push_back(d.text);
        }
        return out;
    }

private:
    static ShownDialog describe(QDialog& dialog) {
        ShownDialog d{dialog.windowTitle(), {}, QMessageBox::NoIcon};
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            d.text = box->text();
            d.icon = box->icon();
        } else if (auto* ask = qobject_cast<AskPermissionDialog*>(&dialog)) {
            d.text = ask->question();
        } else if (auto* which = qobject_cast<FileToDirDialog*>(&dialog)) {
            d.text = which->question();
        }
        return d;
    }
};

// Shows the dialog and does what a user does in it; the dialog's result.
inline DialogScript::Answer answer(std::function<void(QDialog&)> act) {
    return [act](QDialog& dialog) {
        dialog.show();
        act(dialog);
        return dialog.result();
    };
}
inline DialogScript::Answer clickButton(const QString& objectName) {
    return answer([objectName](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(objectName), Qt::LeftButton);
    });
}
inline DialogScript::Answer clickStandard(QMessageBox::StandardButton which) {
    return answer([which](QDialog& dialog) {
        QTest::mouseClick(static_cast<QMessageBox&>(dialog).button(which), Qt::LeftButton);
    });
}
inline DialogScript::Answer pressKey(Qt::Key key) {
    return answer([key](QDialog& dialog) { QTest::keyClick(&dialog, key); });
}

class WindowHarness {
public:
    testing::TempFolder folder;
    DialogScript dialogs;
    std::vector<QUrl> opened;
    std::vector<std::vector<std::string>> started; // instances the window started
    bool browserWorks = true;
    std::string helpPage;
    // The printer the print dialog gives; none (a cancelled dialog) when unset.
    std::function<std::unique_ptr<QPrinter>()> printer;
    // Loads and comparisons on their own thread, as in a real run.
    bool threaded = false;
    std::string openWindows; // where running instances note their windows

    std::string ini() const { return folder.file("tandel.ini"); }

    WindowServices services() {
        WindowServices s;
        s.settingsPath = ini();
        s.programPath = folder.file("bin/tandel");
        s.startInstance = [this](const std::vector<std::string>& a) { started.push_back(a); };
        s.helpPage = helpPage;
        s.openUrl = [this](const QUrl& url) {
            opened.push_back(url);
            return browserWorks;
        };
        s.runModal = [this](QDialog& dialog) { return dialogs.run(dialog); };
        s.choosePrinter = [this](QWidget&) {
            return printer ? printer() : std::unique_ptr<QPrinter>();
        };
        s.threadedComparisons = threaded;
        s.openWindowsPath = openWindows;
        return s;
    }

    std::unique_ptr<MainWindow> open(const std::vector<std::string>& arguments = {}) {
        auto window = std::make_unique<MainWindow>(services(), arguments);
        window->start();
        if (window->isVisible()) {
            QApplication::setActiveWindow(window.get());
            [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(window.get());
        }
        return window;
    }
    // The window on one.txt and two.txt, with the comparison their loads posted run.
    std::unique_ptr<MainWindow> compare(const std::string& one, const std::string& two,
                                        std::vector<std::string> more = {}) {
        more.insert(more.begin(), {folder.write("one.txt", one), folder.write("two.txt", two)});
        auto window = open(more);
        QCoreApplication::sendPostedEvents();
        return window;
    }
    bool iniHas(const std::string& line) const {
        return testing::readFile(ini()).find(line) != std::string::npos;
    }
};

// Drags the files over the widget's middle and drops them if it accepts them.
inline bool dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.push_back(QUrl::fromLocalFile(path));
    }
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (enter.isAccepted()) {
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
    }
    return enter.isAccepted();
}

// The child of that object name (a control id, or a name); a missing one ends the run.
template <typename T = QWidget> T* control(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("control %s missing", qPrintable(name));
    }
    return found;
}
template <typename T = QWidget> T* control(QWidget& parent, int id) {
    return control<T>(parent, QString::number(id));
}

// A push button in its middle, a check box or radio button on its indicator.
inline void press(QWidget* button) {
    const QPoint at = qobject_cast<QPushButton*>(button) != nullptr
                          ? button->rect().center()
                          : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// Types over the edit's whole text.
inline void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

inline std::string numberedLines(int count, const std::string& prefix = "line ") {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += prefix + std::to_string(i) + "\n";
    }
    return text;
}

} // namespace tandel::test
