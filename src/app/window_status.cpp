#include "app/window_status.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "app/window_caption.h"
#include "control/application.h"
#include "frame/command_ids.h"
#include "merge/status_text.h"
#include "view/qt_string.h"

namespace tandel {

namespace {

QAction* toggleAction(const QMainWindow& window) {
    return window.findChild<QAction*>(QString::number(cmd::kToggleStatusBar));
}

} // namespace

void WindowStatus::setUp() {
    QStatusBar* bar = parts_.window->statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    differences_ = new QLabel(bar);
    differences_->setObjectName(QStringLiteral("differenceStatus"));
    sides_ = new QLabel(bar);
    sides_->setObjectName(QStringLiteral("sideStatus"));
    for (QLabel* label : {differences_, sides_}) {
        label->setContentsMargins(8, 0, 8, 0);
        bar->addPermanentWidget(label);
    }
    bar->setVisible(parts_.app->settings.record.statusBar != 0);
    if (QAction* toggle = toggleAction(*parts_.window)) {
        toggle->setCheckable(true);
        toggle->setChecked(bar->isVisible());
    }
}

void WindowStatus::toggle() {
    std::int32_t& shown = parts_.app->settings.record.statusBar;
    shown = shown != 0 ? 0 : 1;
    parts_.window->statusBar()->setVisible(shown != 0);
    if (QAction* toggle = toggleAction(*parts_.window)) {
        toggle->setChecked(shown != 0);
    }
    update();
}

void WindowStatus::update() {
    const Application& app = *parts_.app;
    if (differences_ == nullptr || !parts_.window->statusBar()->isVisible() ||
        app.frameState.directoryWindow) {
        return;
    }
    const MergeModel& model = app.model;
    const bool compared = app.settings.record.notYetCompared == 0 &&
                          !model.side(1).fileName.empty() && !model.side(2).fileName.empty();
    differences_->setText(qs(differenceStatusText(model, compared)));
    const std::string left = sideStatusText(model.side(1));
    const std::string right = sideStatusText(model.side(2));
    sides_->setText(left.empty() && right.empty()
                        ? QString()
                        : qs(left.empty() ? "-" : left) + QStringLiteral("  |  ") +
                              qs(right.empty() ? "-" : right));
}

void WindowStatus::updateCaption() {
    const Application& app = *parts_.app;
    if (app.frameState.directoryWindow) {
        return;
    }
    // Several open windows can be told apart by what they compare.
    const auto baseName = [](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    };
    const std::string one = baseName(app.model.side(1).fileName);
    const std::string two = baseName(app.model.side(2).fileName);
    QString caption = QString::fromLatin1(kWindowCaption);
    if (!one.empty() || !two.empty()) {
        caption += QStringLiteral(" - ") + QFile::decodeName(one.c_str()) + QStringLiteral(" : ") +
                   QFile::decodeName(two.c_str());
    }
    parts_.window->setWindowTitle(caption.trimmed());
}

} // namespace tandel
