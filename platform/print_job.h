#pragma once
// The printer that Print Setup chooses and Print, print-direct and Print Preview use,
// kept for the whole run. For the layer's own sources and for tests (which point it at a
// PDF file).

class QPrinter;

namespace platform {

// The application's printer, made on first use (needs the Qt application).
QPrinter& AfxPrinter();
// Ends the printer before the Qt application goes.
void AfxReleasePrinter();

}  // namespace platform
