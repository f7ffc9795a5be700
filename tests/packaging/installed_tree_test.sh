#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, as a packager does, and checks the tree:
# every file of a desktop installation and nothing else, a valid desktop entry and
# AppStream metadata that name one id, the release version, icons of the size their
# folder names, and programs that run from where they were installed.
#   installed_tree_test.sh BUILD_DIR APP_ID VERSION gui|cli [DESIGNER_APP_ID]
set -euo pipefail
build=$1 app_id=$2 version=$3 kind=$4 designer_id=${5:-}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" \
  || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
usr="$work/root/usr"

icon_sizes=(16 22 24 32 48 64 128 256)
# The LV2 bundle goes where GNUInstallDirs put the libraries when the build was configured.
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
expected=(
  bin/vorlexi-calc
  "$libdir/lv2/vorlexi.lv2/manifest.ttl"
  "$libdir/lv2/vorlexi.lv2/presets.ttl"
  "$libdir/lv2/vorlexi.lv2/vorlexi.so"
  "$libdir/lv2/vorlexi.lv2/vorlexi.ttl"
  share/bash-completion/completions/vorlexi-calc
  share/doc/vorlexi/copyright
  share/man/man1/vorlexi-calc.1.gz
)
if [[ $kind == gui ]]; then
  expected+=(
    bin/vorlexi
    bin/vorlexi-designer
    share/applications/$app_id.desktop
    share/applications/$designer_id.desktop
    share/metainfo/$app_id.metainfo.xml
    share/metainfo/$designer_id.metainfo.xml
    share/man/man1/vorlexi.1.gz
    share/man/man1/vorlexi-designer.1.gz
  )
  for size in "${icon_sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  done
fi

(cd "$usr" && find . -type f -printf '%P\n' | sort) >"$work/installed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed" >"$work/diff"; then
  cat "$work/diff" >&2
  fail "the installed files differ from the list (- missing, + not listed)"
fi
programs=(vorlexi-calc)
[[ $kind == cli ]] || programs+=(vorlexi vorlexi-designer)
for program in "${programs[@]}"; do
  [[ -x "$usr/bin/$program" ]] || fail "bin/$program is not executable"
done

"$usr/bin/vorlexi-calc" -s 44.1k >"$work/report" || fail "the installed vorlexi-calc failed"
grep -q '^Sampling frequency: 44100' "$work/report" || fail "the installed vorlexi-calc printed no report"
[[ $("$usr/bin/vorlexi-calc" --version) == "vorlexi-calc $version" ]] \
  || fail "vorlexi-calc --version does not name $version"
# lilv finds both plugins in the installed bundle (the sanitized build's plugin needs
# the sanitizer runtime in the host, which lv2ls lacks, so only its listing is checked).
listed=$(LV2_PATH="$usr/$libdir/lv2" lv2ls)
for uri in https://vorlexi.example.org/lv2/stereo https://vorlexi.example.org/lv2/mono; do
  grep -qx "$uri" <<<"$listed" || fail "lv2ls does not find $uri in the installed bundle"
done
echo "tree: ${#expected[@]} files, as listed; vorlexi-calc runs from it, lv2ls finds the plugins"
[[ $kind == gui ]] || exit 0

desktop="$usr/share/applications/$app_id.desktop"
metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli refused the metadata"
# The tree as a whole: the metadata's launchable entry and icon are found where it says.
appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli refused the installed tree"

grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
grep -qx 'Exec=vorlexi %f' "$desktop" || fail "the desktop entry does not start vorlexi with a file"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "the metadata does not launch $app_id.desktop"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$metainfo" \
  || fail "the metadata's release is not $version with a date"
for caption in "The main window after Actions &gt; Calc Filter" "The parameter dialog"; do
  grep -q "<caption>$caption</caption>" "$metainfo" || fail "no screenshot caption '$caption'"
done

for size in "${icon_sizes[@]}"; do
  icon="$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [[ $(identify -format '%wx%h %[opaque]' "$icon") == "${size}x${size} false" ]] \
    || fail "$icon is $(identify -format '%wx%h, opaque %[opaque]' "$icon"), not ${size}x${size} with transparent corners"
done
"$usr/bin/vorlexi" --version | grep -q '^vorlexi ' || fail "the installed vorlexi does not start"

# The designer window: an entry and metadata of its own, on vorlexi's icon.
designer_desktop="$usr/share/applications/$designer_id.desktop"
designer_metainfo="$usr/share/metainfo/$designer_id.metainfo.xml"
desktop-file-validate "$designer_desktop" || fail "desktop-file-validate refused $designer_desktop"
appstreamcli validate --no-net --pedantic "$designer_metainfo" \
  || fail "appstreamcli refused the designer's metadata"
grep -qx "Icon=$app_id" "$designer_desktop" || fail "the designer's entry does not name the icon $app_id"
grep -qx 'Exec=vorlexi-designer' "$designer_desktop" || fail "the designer's entry does not start vorlexi-designer"
grep -q "<launchable type=\"desktop-id\">$designer_id.desktop</launchable>" "$designer_metainfo" \
  || fail "the designer's metadata does not launch $designer_id.desktop"
[[ $("$usr/bin/vorlexi-designer" --version) == "vorlexi-designer $version" ]] \
  || fail "the installed vorlexi-designer does not name $version"
echo "desktop entry, metadata and ${#icon_sizes[@]} icons valid and named $app_id"
