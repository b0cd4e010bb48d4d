// The Find dialog: modeless, a find-what text and a match-case box. Find Next
// hands both to the window, which searches; the dialog stays open for the
// next one until Cancel, Escape or its close button.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tandel {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    // Room for the 255 characters a search text may have.
    static constexpr int kMaxTextLength = 255;

    explicit FindDialog(QWidget* parent);

    // Empties the find-what text and sets the match-case box, as every
    // opening does.
    void reset(bool matchCase);

    QString text() const;
    bool matchCase() const;

signals:
    void findNextRequested(const QString& text, bool matchCase);
    // The dialog is closing, with the match-case box as the user left it.
    void closing(bool matchCase);

protected:
    void done(int result) override;

private:
    QLineEdit* findWhat_;
    QCheckBox* matchCase_;
    QPushButton* findNext_;
};

} // namespace tandel
