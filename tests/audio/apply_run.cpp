#include "apply_run.h"

#include <stdexcept>

ProcessResult Apply(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {VORLEXI_CALC_PATH, "apply"});
    return RunProcess(arguments);
}

std::string ExportedSoxEffects(int rate, const std::vector<std::string>& design) {
    std::vector<std::string> print = {VORLEXI_CALC_PATH, "-s", std::to_string(rate),
                                      "--format=sox"};
    print.insert(print.end(), design.begin(), design.end());
    const ProcessResult line = RunProcess(print);
    if (line.exitStatus != 0 || line.out.empty()) {
        throw std::runtime_error("vorlexi-calc --format=sox failed: " + line.err);
    }
    return line.out.substr(0, line.out.size() - 1);
}
