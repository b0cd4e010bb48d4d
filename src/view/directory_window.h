// The directory window's two lists side by side over one model of the
// comparison rows: they scroll together, hold a selection one at a time, sort
// together on a column click, and start a merge run for a differing pair.
// A note over the lists says when a cancelled scan left the list incomplete;
// a line under them counts the rows of each kind. The column widths go back
// to the settings as the user changes them.
#pragma once

#include <QWidget>

#include <vector>

#include "control/command_router.h"
#include "dirmerge/list_geometry.h"

class QLabel;
class QMenu;

namespace tandel {

class DirectoryListModel;
class DirectoryListView;
class DirectoryMerge;
struct Settings;

class DirectoryWindow : public QWidget {
    Q_OBJECT
public:
    DirectoryWindow(DirectoryMerge& directories, Settings& settings, QWidget* parent);

    DirectoryListView* list(int side) const;
    DirectoryListModel* model() const { return model_; }
    // The note shown while the list is incomplete, and the counts line.
    QLabel* notice() const { return notice_; }
    QLabel* counts() const { return counts_; }

    // Shows the comparison rows again in the order they were found, leaving
    // out equal pairs while "Directory Diffs Only" is set.
    void fill();
    // Repaints the rows after they changed in place, keeping order and selection.
    void rowsChanged();

    // Next (6) and Previous (7): the next or previous row that is not equal,
    // from the current row of the list that holds the selection (else from
    // the left list's top row), round the end, is selected alone in that
    // list, becomes its top row and takes the focus, so that Enter opens it.
    void next();
    void previous();

    // The keys of the directory window scroll the left list; the right one follows.
    void scrollByKey(PaneKey key);

    // The rows selected in the list that holds the selection (Copy to Destination).
    ListSelection selection() const;
    // The comparison rows in the order the lists show them.
    const std::vector<int>& order() const;
    // Selects list row `row` alone in list `side`, shows it and focuses that list.
    void showRow(int side, int row);

    // The menu a right click in either list opens.
    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Back at the front after a merge run: its row is checked again.
    bool event(QEvent* event) override;

private:
    void layOut();
    void updateNotes();
    void connectList(DirectoryListView* list, DirectoryListView* other);
    void activate(DirectoryListView* list, int listRow);
    void sortBy(DirectoryListView* list, int column);
    void step(bool forward);
    DirectoryListView* selectingList() const;

    DirectoryMerge& directories_;
    Settings& settings_;
    DirectoryListModel* model_;
    DirectoryListView* lists_[2];
    QLabel* notice_;
    QLabel* counts_;
    QMenu* contextMenu_ = nullptr;
    bool widthsPlaced_ = false;
    bool clearingOther_ = false;
};

} // namespace tandel
