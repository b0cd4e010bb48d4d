// The help pages in a window of the program's own: the HTML pages shipped
// with it, links between them followed inside the window, Back and Forward.
// Used whenever the user has named no browser of their own.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace tandel {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent);

    // Shows the page at `url` (a local file, with or without a fragment).
    void showPage(const QUrl& url);

    QTextBrowser* browser() const { return browser_; }

private:
    void updateTitle();

    QTextBrowser* browser_ = nullptr;
};

} // namespace tandel
