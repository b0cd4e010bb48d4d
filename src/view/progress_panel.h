// What a long load or comparison is doing, shown over the panes while it
// runs: the phase, how far it is, and a Cancel button (the window takes
// Escape as Cancel too).
#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tandel {

class ProgressPanel : public QFrame {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* parent);

    // `permille` of the phase named by `text`.
    void show(const QString& text, int permille);
    QString text() const;
    int permille() const;
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void cancelRequested();

private:
    // Centred over the parent, as wide as it allows.
    void place();

    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

} // namespace tandel
