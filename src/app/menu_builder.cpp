#include "app/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tandel::ui {

namespace {

// Adds entries from `i` to the end of the current popup (or of the table).
void addEntries(QMenu* menu, std::span<const MenuEntry> entries, std::size_t& i,
                std::span<const Accelerator> accelerators, const CommandRunner& run) {
    while (i < entries.size()) {
        const MenuEntry& entry = entries[i++];
        switch (entry.kind) {
        case MenuKind::EndPopup:
            return;
        case MenuKind::Separator:
            menu->addSeparator();
            break;
        case MenuKind::Popup: {
            QMenu* sub = menu->addMenu(QString::fromLatin1(entry.label));
            addEntries(sub, entries, i, accelerators, run);
            break;
        }
        case MenuKind::Item: {
            QAction* action = menu->addAction(itemText(entry, accelerators));
            action->setObjectName(QString::number(entry.id));
            action->setData(entry.id);
            const int id = entry.id;
            QObject::connect(action, &QAction::triggered, menu, [run, id] { run(id); });
            break;
        }
        }
    }
}

} // namespace

QString itemText(const MenuEntry& entry, std::span<const Accelerator> accelerators) {
    QString text = QString::fromLatin1(entry.label);
    const std::string shortcut = shownShortcut(entry, accelerators);
    if (!shortcut.empty()) {
        text += QLatin1Char('\t') + QString::fromStdString(shortcut);
    }
    return text;
}

QMenu* buildMenu(std::span<const MenuEntry> entries, std::span<const Accelerator> accelerators,
                 const CommandRunner& run, QWidget* parent) {
    auto* menu = new QMenu(parent);
    std::size_t i = 0;
    addEntries(menu, entries, i, accelerators, run);
    return menu;
}

QMenu* buildPopup(std::span<const MenuEntry> entries, std::span<const Accelerator> accelerators,
                  const CommandRunner& run, QWidget* parent) {
    auto* menu = new QMenu(parent);
    std::size_t i = 0;
    if (!entries.empty() && entries.front().kind == MenuKind::Popup) {
        menu->setTitle(QString::fromLatin1(entries.front().label));
        i = 1;
    }
    addEntries(menu, entries, i, accelerators, run);
    return menu;
}

QMenu* fillMenuBar(QMenuBar* bar, std::span<const MenuEntry> entries,
                   std::span<const Accelerator> accelerators, const CommandRunner& run) {
    QMenu* first = nullptr;
    std::size_t i = 0;
    while (i < entries.size()) {
        const MenuEntry& entry = entries[i++];
        if (entry.kind != MenuKind::Popup) {
            continue;
        }
        QMenu* menu = bar->addMenu(QString::fromLatin1(entry.label));
        addEntries(menu, entries, i, accelerators, run);
        if (first == nullptr) {
            first = menu;
        }
    }
    return first;
}

} // namespace tandel::ui
