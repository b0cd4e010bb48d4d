// One difference pane ("edit1" for side 1, "edit2" for side 2). It draws its
// side of the comparison from the application's model and view settings.
#pragma once

#include <QWidget>

namespace tandel {

class Application;

class DiffEdit : public QWidget {
    Q_OBJECT
public:
    DiffEdit(Application& app, int side, QWidget* parent);

    int side() const { return side_; }
    // A new file was loaded into this side: a text selection in it is void.
    void clearSelection() {}

private:
    Application& app_;
    int side_;
};

} // namespace tandel
