#include "dialogs/list_box.h"

#include <QListWidget>

namespace tandel {

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

} // namespace tandel
