// vorlexi, the desktop program: the one application object and the entry that hands the
// program's resources to the framework layer.

#include "afx.h"
#include "vorlexi_app.h"
#include "vorlexi_resources.h"

CVorlexiApp theApp;

int main(int argc, char** argv) { return AfxWinMain(argc, argv, VorlexiResources()); }
