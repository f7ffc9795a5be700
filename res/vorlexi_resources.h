#pragma once
// vorlexi's resources, handed to the framework layer at start-up.

#include "resource_types.h"

// The whole resource module: menu, accelerators, string table, toolbar and its
// bitmap, icon, dialog templates and version record. Lives for the whole process.
const platform::ResourceModule& VorlexiResources();
