// The status bar: where the user is among the differences, how each file is
// written, and short results that need no answer.
#include "app/main_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "frame/command_ids.h"
#include "merge/status_text.h"

namespace tandel {

namespace {

constexpr int kNoticeMs = 8000;

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void MainWindow::setUpStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    differenceStatus_ = new QLabel(bar);
    differenceStatus_->setObjectName(QStringLiteral("differenceStatus"));
    sideStatus_ = new QLabel(bar);
    sideStatus_->setObjectName(QStringLiteral("sideStatus"));
    for (QLabel* label : {differenceStatus_, sideStatus_}) {
        label->setContentsMargins(8, 0, 8, 0);
        bar->addPermanentWidget(label);
    }
    bar->setVisible(app_.settings.record.statusBar != 0);
    if (QAction* toggle = findChild<QAction*>(QString::number(cmd::kToggleStatusBar))) {
        toggle->setCheckable(true);
        toggle->setChecked(bar->isVisible());
    }
}

void MainWindow::toggleStatusBar() {
    std::int32_t& shown = app_.settings.record.statusBar;
    shown = shown != 0 ? 0 : 1;
    statusBar()->setVisible(shown != 0);
    if (QAction* toggle = findChild<QAction*>(QString::number(cmd::kToggleStatusBar))) {
        toggle->setChecked(shown != 0);
    }
    updateStatus();
}

void MainWindow::updateStatus() {
    if (differenceStatus_ == nullptr || !statusBar()->isVisible() ||
        app_.frameState.directoryWindow) {
        return;
    }
    const MergeModel& model = app_.model;
    const bool compared = app_.settings.record.notYetCompared == 0 &&
                          !model.side(1).fileName.empty() && !model.side(2).fileName.empty();
    differenceStatus_->setText(qs(DifferenceStatus(model, compared)));
    const std::string left = SideStatus(model.side(1));
    const std::string right = SideStatus(model.side(2));
    sideStatus_->setText(left.empty() && right.empty()
                             ? QString()
                             : qs(left.empty() ? "-" : left) + QStringLiteral("  |  ") +
                                   qs(right.empty() ? "-" : right));
}

void MainWindow::updateCaption() {
    if (app_.frameState.directoryWindow) {
        return;
    }
    // Several open windows can be told apart by what they compare.
    const auto baseName = [](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    const std::string one = baseName(app_.model.side(1).fileName);
    const std::string two = baseName(app_.model.side(2).fileName);
    QString caption = QString::fromLatin1(kWindowCaption);
    if (!one.empty() || !two.empty()) {
        caption += QStringLiteral(" - ") + QFile::decodeName(one.c_str()) + QStringLiteral(" : ") +
                   QFile::decodeName(two.c_str());
    }
    setWindowTitle(caption.trimmed());
}

void MainWindow::notice(const std::string& text) {
    statusBar()->showMessage(qs(text), kNoticeMs);
}

} // namespace tandel
