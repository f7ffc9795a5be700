#pragma once
// vorlexi-calc's exit statuses.

constexpr int kExitSuccess = 0;
constexpr int kExitOutputFailed = 1;  // stdout or the plot file could not be written
constexpr int kExitBadInput = 2;      // bad options, unreadable entries, unusable values
