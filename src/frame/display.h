// What the core tells the screen: which part of the model changed (the window
// decides what to repaint for it), the wait cursor, the walk menu and pane
// selections made void.
#pragma once

namespace tandel {

enum class ModelEvent {
    SegmentsChanged,    // segments or their decisions: the panes
    SelectionChanged,   // a text selection in a pane began or was dropped
    Scrolled,           // the top line moved: the panes and the position bar
    SideLoaded,         // a new file in a side: titles, position bar and panes
    SidesCleared,       // both sides emptied: titles, position bar and panes
    DifferencesCleared, // a comparison found the files identical
    ComparisonFinished, // the row count is final: the position bar
    ListRowsChanged,    // the directory lists hold other rows
};

class Display {
public:
    virtual ~Display() = default;

    virtual void modelChanged(ModelEvent event) = 0;
    virtual void setWaitCursor(bool on) = 0;
    // Directory walk: swap the menu between file mode and walk mode.
    virtual void setWalkMenu(bool walking) = 0;
    // A new file was loaded into side 1 or 2: a text selection in that pane is void.
    virtual void clearSelection(int side) = 0;
};

} // namespace tandel
