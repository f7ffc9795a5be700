#include "vorlexi_resources.h"

#include "resource_tables.h"

const platform::ResourceModule& VorlexiResources() {
    using namespace vorlexi::res;
    static const platform::ResourceModule module{
        .menus = Menus(),
        .accelerators = AcceleratorTables(),
        .strings = StringTable(),
        .bitmaps = Bitmaps(),
        .icons = Icons(),
        .toolbars = Toolbars(),
        .dialogs = Dialogs(),
        .version = &Version(),
    };
    return module;
}
