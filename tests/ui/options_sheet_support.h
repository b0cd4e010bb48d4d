// Drives the options sheet as a user would: real clicks on tabs, boxes and
// buttons, real typing into the edits. Messages land in the scripted frame.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "control/application.h"
#include "dialogs/options_sheet.h"
#include "merge/fake_frame.h"

namespace tandel::test {

enum Page { kGeneral, kColumns, kColumnType, kPositions, kComments };

struct SheetHarness {
    FakeFrame frame;
    Application app{frame};
    std::unique_ptr<OptionsSheet> sheet;

    OptionsSheet& open() {
        sheet = std::make_unique<OptionsSheet>(app);
        sheet->show();
        if (!QTest::qWaitForWindowExposed(sheet.get())) {
            qWarning("options sheet not exposed");
        }
        return *sheet;
    }

    QWidget* page() const { return sheet->pages()->currentWidget(); }

    void showPage(Page index) const {
        auto* bar = sheet->pages()->findChild<QTabBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // The visible control with this text: on the current page, or the sheet's own.
    template <typename T> T* control(const QString& text) const {
        for (T* widget : sheet->findChildren<T*>()) {
            if (widget->text() == text && widget->isVisible()) {
                return widget;
            }
        }
        return nullptr;
    }
    QLineEdit* edit(const QString& name) const { return sheet->findChild<QLineEdit*>(name); }
    // The edit a label names.
    QLineEdit* editBy(const QString& label) const {
        return qobject_cast<QLineEdit*>(control<QLabel>(label)->buddy());
    }
    QListWidget* list() const { return page()->findChild<QListWidget*>(); }

    void click(QAbstractButton* button) const { click(button, button->rect().center()); }
    void clickBox(QAbstractButton* box) const {
        QStyleOptionButton option;
        option.initFrom(box);
        const auto element = qobject_cast<QRadioButton*>(box) != nullptr
                                 ? QStyle::SE_RadioButtonClickRect
                                 : QStyle::SE_CheckBoxClickRect;
        click(box, box->style()->subElementRect(element, &option, box).center());
    }
    void clickBox(const QString& text) const { clickBox(control<QAbstractButton>(text)); }
    void press(const QString& button) const { click(control<QPushButton>(button)); }

    // Replaces the edit's text by typing over a full selection.
    static void type(QLineEdit* edit, const QString& text) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        for (QChar c : text) {
            // Key events carry what a keyboard layout would type, accents included.
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    std::string lastMessage(Severity* severity = nullptr) const {
        if (frame.messages.empty()) {
            return {};
        }
        if (severity != nullptr) {
            *severity = frame.messages.back().first;
        }
        return frame.messages.back().second;
    }

private:
    static void click(QAbstractButton* button, QPoint at) {
        QVERIFY2(button != nullptr, "no such button");
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
};

} // namespace tandel::test
