#include "print_job.h"

#include <QPrinter>

#include <memory>

namespace platform {

namespace {

std::unique_ptr<QPrinter> g_printer;

}  // namespace

QPrinter& AfxPrinter() {
    if (!g_printer) {
        g_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *g_printer;
}

void AfxReleasePrinter() { g_printer.reset(); }

}  // namespace platform
