#include "last_resort.h"

#include <iostream>
#include <new>
#include <stdexcept>

#include "exit_status.h"

int RunToTheEnd(const std::function<int()>& command) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        std::cerr << "vorlexi-calc: not enough memory\n";
    } catch (const std::exception& error) {
        std::cerr << "vorlexi-calc: " << error.what() << '\n';
    }
    return kExitOutputFailed;
}
