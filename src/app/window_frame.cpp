#include "app/window_frame.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMetaObject>

#include "view/qt_string.h"

namespace tandel {

void WindowCommands::postCommand(int id) {
    QMetaObject::invokeMethod(
        parts_.window, [run = parts_.runCommand, id] { run(id); }, Qt::QueuedConnection);
}

void WindowClipboard::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(qs(text));
}

void WindowClipboard::setSelectionText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
        clipboard->setText(qs(text), QClipboard::Selection);
    }
}

WindowFrame::WindowFrame(WindowParts& parts)
    : WindowMessages(parts), FileDialogs(parts), WindowCommands(parts), WindowDisplay(parts),
      PreviewPort(parts), SearchPort(parts), PrintPort(parts), ListPort(parts, *this) {}

} // namespace tandel
