#include "view/progress_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tandel {

namespace {
constexpr int kWidth = 420;
} // namespace

ProgressPanel::ProgressPanel(QWidget* parent)
    : QFrame(parent), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("progressPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    bar_->setRange(0, 1000);
    bar_->setFormat(QStringLiteral("%p%"));
    cancel_->setToolTip(QStringLiteral("Stop (Esc)"));
    auto* row = new QHBoxLayout;
    row->addWidget(bar_, 1);
    row->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addLayout(row);
    connect(cancel_, &QPushButton::clicked, this, &ProgressPanel::cancelRequested);
    hide();
}

void ProgressPanel::show(const QString& text, int permille) {
    label_->setText(text);
    bar_->setValue(std::clamp(permille, 0, 1000));
    place();
    QFrame::show();
    raise();
}

QString ProgressPanel::text() const {
    return label_->text();
}

int ProgressPanel::permille() const {
    return bar_->value();
}

void ProgressPanel::place() {
    const QWidget* owner = parentWidget();
    if (owner == nullptr) {
        return;
    }
    const int width = std::min(kWidth, std::max(owner->width() - 20, 120));
    resize(width, sizeHint().height());
    move((owner->width() - width) / 2, (owner->height() - height()) / 2);
}

} // namespace tandel
