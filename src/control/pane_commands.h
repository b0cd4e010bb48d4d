// What the difference panes ask of the model. The panes only read the model;
// each change they want (a click, a selection, a split, a drop, a scroll, the
// rows they have room for) goes through here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panes/pane_scroll.h"
#include "panes/pane_selection.h"

namespace tandel {

class Application;

class PaneCommands {
public:
    virtual ~PaneCommands() = default;

    // A left-button press without Shift on pane row `paneRow` of side s.
    virtual void click(int side, std::int64_t paneRow, bool ctrl) = 0;
    // Shift+press: a selection starts in side s at `at`.
    virtual void beginSelection(int side, const SelectionPoint& at) = 0;
    // The mouse moved while selecting; true when the selection's end moved.
    [[nodiscard]] virtual bool extendSelection(int side, const SelectionPoint& at) = 0;
    // The left button released.
    virtual void endSelection() = 0;
    // The left button released while the split is armed, on pane row `paneRow`.
    virtual void releaseSplit(std::int64_t paneRow) = 0;
    // Files dropped on side s's pane; the first one is loaded later.
    virtual void drop(int side, std::vector<std::string> names) = 0;
    // The pane's new height holds this many rows.
    virtual void setVisibleRows(std::int32_t rows) = 0;
    // How far side s's pane scrolls sideways with room for `visibleColumns`;
    // the widest line is measured once and kept with the side.
    virtual HorizontalExtent paneExtent(int side, std::int64_t visibleColumns) = 0;
    // The top line of both panes becomes `topLine`, already clamped.
    virtual void setTopLine(std::int32_t topLine) = 0;
    // Horizontal scroll `code` in side s's pane; which sides' offsets changed.
    [[nodiscard]] virtual std::array<bool, 2> scrollSideways(int side, HorizontalScroll code,
                                                             std::int64_t visibleColumns,
                                                             std::int64_t thumb) = 0;
};

// The commands carried out on the application object.
class ApplicationPaneCommands final : public PaneCommands {
public:
    explicit ApplicationPaneCommands(Application& app) : app_(app) {}

    void click(int side, std::int64_t paneRow, bool ctrl) override;
    void beginSelection(int side, const SelectionPoint& at) override;
    [[nodiscard]] bool extendSelection(int side, const SelectionPoint& at) override;
    void endSelection() override;
    void releaseSplit(std::int64_t paneRow) override;
    void drop(int side, std::vector<std::string> names) override;
    void setVisibleRows(std::int32_t rows) override;
    HorizontalExtent paneExtent(int side, std::int64_t visibleColumns) override;
    void setTopLine(std::int32_t topLine) override;
    [[nodiscard]] std::array<bool, 2> scrollSideways(int side, HorizontalScroll code,
                                                     std::int64_t visibleColumns,
                                                     std::int64_t thumb) override;

private:
    Application& app_;
};

} // namespace tandel
