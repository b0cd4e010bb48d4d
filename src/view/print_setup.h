// The print dialog: the user picks a printer and its settings, or a PDF file
// to print into, but neither a selection nor a page range, since every job
// prints the whole result.
#pragma once

#include <memory>

class QPrintDialog;
class QString;
class QPrinter;
class QWidget;

namespace tandel::ui {

// Turns off the choices a print job does not offer.
void restrictPrintDialog(QPrintDialog& dialog);

// Where a machine without a printer prints: a PDF file in the home folder,
// named after the document.
QString defaultPdfPath(const QString& documentName);

// Whether the printer has somewhere to print to: a printer's name, or a file.
bool hasDestination(const QPrinter& printer);

// Runs the print dialog over a printer at its full resolution; null when the
// user cancelled it.
std::unique_ptr<QPrinter> choosePrinter(QWidget& parent);

} // namespace tandel::ui
