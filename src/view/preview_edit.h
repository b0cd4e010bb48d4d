// The preview of the merged result: plain text in the text font, editable,
// with tab stops every tab-size characters. It holds the bytes it was given
// exactly, so a changed preview is saved with every other byte as it was.
#pragma once

#include <QPlainTextEdit>

#include <string>

namespace tandel {

class PreviewEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    // What the user may grow the text to, in characters. Text the program
    // puts in is never cut: the limit then rises to hold it.
    static constexpr qsizetype kCharacterLimit = 1000000;

    explicit PreviewEdit(QWidget* parent);

    void setBytes(const std::string& bytes);
    std::string bytes() const;

    // Tab stops every `tabSize` characters of `averageCharWidth` pixels.
    void setTabStops(int tabSize, int averageCharWidth);

    qsizetype characterLimit() const { return limit_; }
    // Characters the user may still add.
    qsizetype room() const;

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    qsizetype limit_ = kCharacterLimit;
};

} // namespace tandel
