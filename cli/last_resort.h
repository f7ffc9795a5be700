#pragma once
// Whatever a command does not handle itself ends in one line and status 1: a lack of
// memory, or a library that cannot be loaded. A pending output's temporary file goes as
// the stack unwinds, before the line is written.

#include <functional>

int RunToTheEnd(const std::function<int()>& command);
