// The common ancestor of a three-way merge under the panes ("basePane"), read
// only: it follows the panes' top row to the BASE line beside it, fills the
// BASE lines of every segment as the panes fill changed lines, outlines those
// of the current segment, and marks with a line the places where the sides
// added lines BASE never had.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class QPainter;

namespace tandel {
namespace ui {
class RowLayout;
}

class Application;

class BasePane : public QWidget {
    Q_OBJECT
public:
    BasePane(const Application& app, QWidget* parent);
    ~BasePane() override;

    // The BASE line on the first row.
    std::int64_t topLine() const;
    // Where the first row starts, under the heading that names the file.
    int rowsTop() const;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // BASE line `line` with its number, in the pen's colour, at pane y.
    void paintLine(QPainter& painter, std::int64_t line, int y);

    const Application& app_;
    std::unique_ptr<ui::RowLayout> layout_;
};

} // namespace tandel
