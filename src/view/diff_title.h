// The title above a pane ("Title1", "Title2"): the path of that side's file,
// centred in the title font.
#pragma once

#include <QWidget>

namespace tandel {

class Application;

class DiffTitle : public QWidget {
    Q_OBJECT
public:
    DiffTitle(const Application& app, int side, QWidget* parent);

    int side() const { return side_; }
    // The path as shown: bytes that are not UTF-8 read as Windows-1252, control
    // characters as visible stand-ins.
    QString shownPath() const;
    // After the path: how the file is written, "  (CR LF)"; empty when unloaded.
    QString formatLabel() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Application& app_;
    int side_;
};

} // namespace tandel
