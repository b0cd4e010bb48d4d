// The title above a pane ("Title1", "Title2"): the name of that side's file,
// in the title font.
#pragma once

#include <QWidget>

namespace tandel {

class Application;

class DiffTitle : public QWidget {
    Q_OBJECT
public:
    DiffTitle(Application& app, int side, QWidget* parent);

    int side() const { return side_; }

private:
    Application& app_;
    int side_;
};

} // namespace tandel
