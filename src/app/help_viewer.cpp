#include "app/help_viewer.h"

#include <QAction>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace tandel {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HELP_VIEWER"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpText"));
    // Links inside the pages are followed here; any other goes to the desktop.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(QStringLiteral("&Back"), browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = bar->addAction(QStringLiteral("&Forward"), browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    QAction* contents = bar->addAction(QStringLiteral("&Contents"), this, [this] {
        QUrl page = browser_->source();
        page.setFragment(QString());
        browser_->setSource(page);
    });
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    auto* close = new QAction(this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::updateTitle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(760, 620);
}

void HelpViewer::showPage(const QUrl& url) {
    browser_->setSource(url);
    updateTitle();
    show();
    raise();
    activateWindow();
}

void HelpViewer::updateTitle() {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
}

} // namespace tandel
