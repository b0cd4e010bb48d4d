// The strip between the panes ("DiffPos"): where the segments lie in the
// whole comparison, and the vertical scroll bar ("VertScr") both panes share.
#pragma once

#include <QWidget>

class QScrollBar;

namespace tandel {

class Application;

class position_bar : public QWidget {
    Q_OBJECT
public:
    position_bar(Application& app, QWidget* parent);

    QScrollBar* scrollBar() const { return scrollBar_; }

private:
    Application& app_;
    QScrollBar* scrollBar_;
};

} // namespace tandel
