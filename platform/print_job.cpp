#include "print_job.h"

#include <QPrinter>

#include <memory>

namespace platform {

namespace {

std::unique_ptr<QPrinter> g_printer;
bool g_lastPrintSucceeded = false;

}  // namespace

QPrinter& AfxPrinter() {
    if (!g_printer) {
        g_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *g_printer;
}

void AfxReleasePrinter() { g_printer.reset(); }

bool LastPrintJobSucceeded() { return g_lastPrintSucceeded; }

void SetLastPrintJobResult(bool succeeded) { g_lastPrintSucceeded = succeeded; }

}  // namespace platform
