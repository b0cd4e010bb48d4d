// The directory window's two lists side by side over one model of the
// comparison rows: they scroll together, hold a selection one at a time, sort
// together on a column click, and start a merge run for a differing pair.
// The column widths go back to the settings as the user changes them.
#pragma once

#include <QWidget>

#include <vector>

#include "control/command_router.h"
#include "dirmerge/list_geometry.h"

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

    // Shows the comparison rows again in the order they were found, leaving
    // out equal pairs while "Directory Diffs Only" is set.
    void fill();

    // Next (6) and Previous (7): the next or previous row that is not equal,
    // from the left list's top row round the end, becomes the top row.
    void next();
    void previous();

    // The keys of the directory window scroll the left list; the right one follows.
    void scrollByKey(PaneKey key);

    // The items selected in the list that holds the selection (Copy to Destination).
    ListSelection selection() const;
    // The comparison rows in the order the lists show them.
    const std::vector<int>& order() const;
    // Selects list row `row` alone in list `side`, shows it and focuses that list.
    void showRow(int side, int row);

    // The menu a right click in either list opens.
    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    void connectList(DirectoryListView* list, DirectoryListView* other);
    void activate(DirectoryListView* list, int listRow);
    void sortBy(DirectoryListView* list, int column);
    void revealLeftRow(int listRow);

    DirectoryMerge& directories_;
    Settings& settings_;
    DirectoryListModel* model_;
    DirectoryListView* lists_[2];
    QMenu* contextMenu_ = nullptr;
    bool widthsPlaced_ = false;
    bool clearingOther_ = false;
};

} // namespace tandel
