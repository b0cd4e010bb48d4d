// The list boxes of the filter dialogs: one selected line or none.
#pragma once

class QListWidget;

namespace tandel {

// The selected line, or -1 when none is selected.
int selectedRow(const QListWidget* list);

} // namespace tandel
