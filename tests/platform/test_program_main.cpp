// The test program as a process of its own, to check what AfxWinMain tells the caller.
#include "test_resources.h"
#include "test_shell.h"

namespace {

CTestApp theApp;

}  // namespace

int main(int argc, char** argv) {
    return platform::AfxWinMain(argc, argv, test_resources::Module());
}
