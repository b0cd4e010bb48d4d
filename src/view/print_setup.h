// The print dialog: the user picks a printer and its settings, but neither a
// selection, a page range nor printing to a file, since every job prints the
// whole result.
#pragma once

#include <memory>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace tandel::ui {

// Turns off the choices a print job does not offer.
void restrictPrintDialog(QPrintDialog& dialog);

// Runs the print dialog over a printer at its full resolution; null when the
// user cancelled it.
std::unique_ptr<QPrinter> choosePrinter(QWidget& parent);

} // namespace tandel::ui
