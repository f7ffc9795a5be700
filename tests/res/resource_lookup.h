#pragma once
// Small look-ups over vorlexi's resource module for the table tests.

#include <optional>
#include <string>
#include <vector>

#include "vorlexi_resources.h"

namespace restest {

const platform::ResourceModule& Module();

std::optional<std::string> FindString(platform::UINT id);

// Every command item of the menu bar, depth first, in menu order.
std::vector<const platform::MenuItemTemplate*> MenuCommands();

// The toolbar's item ids (separators included) after its four header words.
std::vector<platform::UINT> ToolbarItems();

const platform::DialogTemplate* FindDialog(platform::UINT id);

}  // namespace restest
