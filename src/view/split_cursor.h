// The program's split cursor: shown over the whole main window while
// "Split segment" is armed, until the release in a pane that splits.
#pragma once

#include <QCursor>

class QWidget;

namespace tandel::ui {

// Drawn for the device pixel ratio of `window`'s screen, so it stays sharp.
QCursor splitCursor(const QWidget* window);

// Shows the split cursor over `window` and its children, or takes it away.
void showSplitCursor(QWidget* window, bool armed);

} // namespace tandel::ui
