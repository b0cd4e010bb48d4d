#include "view/print_setup.h"

#include <QPrintDialog>
#include <QPrinter>

namespace tandel::ui {

void restrictPrintDialog(QPrintDialog& dialog) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
}

std::unique_ptr<QPrinter> choosePrinter(QWidget& parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), &parent);
    restrictPrintDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

} // namespace tandel::ui
