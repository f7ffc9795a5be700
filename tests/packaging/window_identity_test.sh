#!/usr/bin/env bash
# The running window is the one the desktop entry describes: its WM_CLASS is the entry's
# StartupWMClass (so a launcher groups the window under the entry), and the icon it
# carries is, pixel for pixel, the installed 32x32 and 16x16 icons.
#   window_identity_test.sh VORLEXI DESKTOP_ENTRY ICON_DIR APP_ID   (on an X display)
set -euo pipefail
source "$(dirname "$0")/../e2e/desktop_driver.sh"
vorlexi=$1 desktop_entry=$2 icon_dir=$3 app_id=$4

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
pid=
trap '[[ -n $pid ]] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

"$vorlexi" 2>"$work/stderr" &
pid=$!
main=$(wait_for_window ' - vorlexi$')

wm_class=$(xprop -id "$main" -notype WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
[[ -n $startup_class && $wm_class == "$startup_class" ]] \
  || fail "the window's class is '$wm_class', the entry's StartupWMClass '$startup_class'"

# _NET_WM_ICON holds each size as width, height, then ARGB words row by row.
xprop -id "$main" -notype -f _NET_WM_ICON 32x ' = $0+\n' _NET_WM_ICON \
  | sed 's/^[^=]*= //' | tr ',' '\n' | tr -d ' ' >"$work/window-icon"
mapfile -t words <"$work/window-icon"
for size in 32 16; do
  for ((i = 0; i + 1 < ${#words[@]}; i += 2 + width * height)); do
    width=$((words[i])) height=$((words[i + 1]))
    if ((width == size && height == size)); then
      for ((p = i + 2; p < i + 2 + width * height; ++p)); do
        printf '%08x\n' $((words[p]))
      done >"$work/window-$size"
      break
    fi
  done
  [[ -s $work/window-$size ]] || fail "the window carries no ${size}x${size} icon"
  # ImageMagick writes #RRGGBBAA; the window holds AARRGGBB, fully transparent as 0.
  convert "$icon_dir/${size}x${size}/apps/$app_id.png" -depth 8 txt:- \
    | sed -n 's/.*#\([0-9A-F]\{6\}\)\([0-9A-F]\{2\}\).*/\2\1/p' | tr 'A-F' 'a-f' \
    | sed 's/^00....../00000000/' >"$work/installed-$size"
  cmp -s "$work/window-$size" "$work/installed-$size" \
    || fail "the window's ${size}x${size} icon differs from the installed one"
done
echo "window: class $wm_class as the entry says, icons as installed"
