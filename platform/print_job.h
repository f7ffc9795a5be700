#pragma once
// The printer that Print Setup chooses and Print and print-direct use, kept for the whole
// run. For the layer's own sources and for tests (which point it at a PDF file).

class QPrinter;

namespace platform {

// The application's printer, made on first use (needs the Qt application).
QPrinter& AfxPrinter();
// Ends the printer before the Qt application goes.
void AfxReleasePrinter();

// Whether the last print job (of any view) printed all its pages.
bool LastPrintJobSucceeded();
void SetLastPrintJobResult(bool succeeded);

}  // namespace platform
