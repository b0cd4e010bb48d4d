#include "dialogs/options_general_page.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "engine/compare_settings.h"
#include "settings/settings_record.h"

namespace tandel {
namespace {

constexpr int kGeneralHelp = 273;
constexpr std::size_t kDisplayGroup = 2;

using G = GeneralOptions;

// The page's groups; each check box is written once, here.
struct Group {
    const char* title;
    std::vector<std::pair<const char*, bool G::*>> boxes;
};

const std::vector<Group>& groups() {
    static const std::vector<Group> table = {
        {"Comparison options",
         {{"Compress Spaces (A B=A   B)", &G::compressSpaces},
          {"Ignore All Spaces (AB=A B)", &G::ignoreAllSpaces},
          {"Table Comparison Mode", &G::tableMode},
          {"Ignore Comments", &G::ignoreComments},
          {"Ignore Line-End Differences (CR LF=LF)", &G::ignoreLineEnds}}},
        {"Merge options",
         {{"Keep Original End-of-Line", &G::keepLineEnds},
          {"Generate Differences Only", &G::diffsOnly}}},
        {"Display",
         {{"Display Line Numbers", &G::lineNumbers},
          {"Synchronized Scrolling", &G::syncHScroll},
          {"Highlight Changed Characters", &G::highlightChanges}}},
        {"Program",
         {{"Auto Walk", &G::autoWalk}, {"Automatically Compare Files", &G::autoCompare}}},
    };
    return table;
}

} // namespace

OptionsGeneralPage::OptionsGeneralPage(OptionsTarget target, QWidget* parent)
    : OptionsPage(target, kGeneralHelp, parent) {
    const GeneralOptions initial = readGeneralOptions(target.record, target.compare);
    tabSize_ = new QLineEdit(QString::fromStdString(initial.tabSize));
    contextLines_ = new QLineEdit(QString::fromStdString(initial.contextLines));

    std::vector<QGroupBox*> frames;
    for (const Group& group : groups()) {
        auto* frame = new QGroupBox(QString::fromLatin1(group.title));
        auto* layout = new QVBoxLayout(frame);
        for (const auto& [label, value] : group.boxes) {
            auto* check = new QCheckBox(QString::fromLatin1(label));
            check->setChecked(initial.*value);
            layout->addWidget(check);
            boxes_.push_back({value, check});
        }
        frames.push_back(frame);
    }
    // The counts head the display group.
    auto* counts = new QFormLayout;
    counts->addRow(QStringLiteral("Tab size:"), tabSize_);
    counts->addRow(QStringLiteral("Context lines"), contextLines_);
    static_cast<QVBoxLayout*>(frames[kDisplayGroup]->layout())->insertLayout(0, counts);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(kOptionsPageMargin, kOptionsPageMargin, kOptionsPageMargin,
                             kOptionsPageMargin);
    page->addWidget(frames[0]);
    page->addWidget(frames[1]);
    auto* lower = new QHBoxLayout;
    lower->addWidget(frames[kDisplayGroup]);
    lower->addWidget(frames[kDisplayGroup + 1], 0, Qt::AlignTop);
    page->addLayout(lower);
    page->addStretch();

    QCheckBox* compress = box(&G::compressSpaces);
    QCheckBox* ignoreAll = box(&G::ignoreAllSpaces);
    ignoreAll->setEnabled(ignoreAllSpacesEnabled(initial));
    connect(compress, &QCheckBox::clicked, this,
            [this, ignoreAll] { ignoreAll->setEnabled(ignoreAllSpacesEnabled(shown())); });
    watchControls();
}

QCheckBox* OptionsGeneralPage::box(bool GeneralOptions::*value) const {
    for (const Box& b : boxes_) {
        if (b.value == value) {
            return b.widget;
        }
    }
    return nullptr;
}

GeneralOptions OptionsGeneralPage::shown() const {
    GeneralOptions o;
    for (const Box& b : boxes_) {
        o.*(b.value) = b.widget->isChecked();
    }
    o.tabSize = tabSize_->text().toStdString();
    o.contextLines = contextLines_->text().toStdString();
    return o;
}

bool OptionsGeneralPage::apply() {
    return report(applyGeneralOptions(shown(), target_.record, target_.compare));
}

} // namespace tandel
