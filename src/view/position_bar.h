// The strip between the panes ("DiffPos"): the vertical scroll bar ("VertScr")
// both panes share, and beside it a tick for every segment, placed along the
// bar as the segment lies in the whole comparison.
#pragma once

#include <QWidget>

class QScrollBar;

namespace tandel {

class Application;

class position_bar : public QWidget {
    Q_OBJECT
public:
    position_bar(const Application& app, QWidget* parent);

    QScrollBar* scrollBar() const { return scrollBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Application& app_;
    QScrollBar* scrollBar_;
};

} // namespace tandel
