// The small modeless box that shows which path the directory list build is
// comparing, with Cancel. The build calls step() before every entry; the box
// then lets the whole program handle what is waiting, so that it paints, its
// Cancel works and the main window stays responsive.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include <string>

class QLabel;

namespace tandel {

class BuildProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit BuildProgressDialog(QWidget* owner);

    // Shows `currentPath` and handles waiting events, at most every few
    // milliseconds so that thousands of quick steps do not wait on painting.
    // False once the user cancelled.
    bool step(const std::string& currentPath);

    bool cancelled() const { return cancelled_; }
    QString shownPath() const;

public slots:
    // Cancel, Escape and closing the box all stop the build.
    void reject() override;

private:
    QLabel* path_;
    QElapsedTimer sinceEvents_;
    bool cancelled_ = false;
};

} // namespace tandel
