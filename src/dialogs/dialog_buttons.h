// A row of push buttons for the directory merging dialogs, each named by its
// control id so that tests and the frame find it.
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QWidget;

namespace tandel {

// Opens the help pages at a context number.
using HelpOpener = std::function<void(int context)>;

// A button action that opens the help at `context`; nothing without an opener.
std::function<void()> helpAction(HelpOpener help, int context);

struct DialogButton {
    QString label;
    int id;
    std::function<void()> action;
};

// The first button is the default one.
QHBoxLayout* dialogButtons(QWidget* owner, std::initializer_list<DialogButton> buttons);

} // namespace tandel
