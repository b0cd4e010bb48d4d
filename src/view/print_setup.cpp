#include "view/print_setup.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace tandel::ui {

void restrictPrintDialog(QPrintDialog& dialog) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // A desktop without a printer still prints: into a PDF file.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
}

QString defaultPdfPath(const QString& documentName) {
    return QDir::home().filePath(documentName + QStringLiteral(".pdf"));
}

bool hasDestination(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return !printer.outputFileName().isEmpty();
    }
    return !printer.printerName().isEmpty();
}

std::unique_ptr<QPrinter> choosePrinter(QWidget& parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer->setOutputFileName(defaultPdfPath(QStringLiteral("Merged file")));
    }
    QPrintDialog dialog(printer.get(), &parent);
    restrictPrintDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

} // namespace tandel::ui
