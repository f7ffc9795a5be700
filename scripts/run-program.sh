#!/usr/bin/env bash
# Starts the desktop program from a build folder; where there is no display (or the
# desktop program is not built), says so and prints the default calculation instead.
set -euo pipefail
build_dir=${1:-build}
program="$build_dir/app/vorlexi"
calc="$build_dir/cli/vorlexi-calc"

if [[ -x "$program" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec "$program"
fi

if [[ ! -x "$program" ]]; then
  echo "The desktop program is not built; here is the default calculation from vorlexi-calc:"
else
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the desktop program cannot start."
  echo "Here is the default calculation from vorlexi-calc instead:"
fi
echo
exec "$calc"
