#!/usr/bin/env bash
# Installs the Debian packages vorlexi needs to build, run and test.
# Idempotent: asks apt only for what is missing. Uses apt-get as root, sudo otherwise.
#   scripts/install-deps.sh          packages to build and run
#   scripts/install-deps.sh --test   also the packages the test suite uses
set -euo pipefail

build_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libx11-dev
  libcli11-dev
  libnlopt-dev libglpk-dev
  libsndfile1-dev
  lv2-dev
  fonts-urw-base35 fontconfig libfontconfig-dev
  help2man
  file
)
test_packages=(
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  locales
  xvfb xdotool x11-utils imagemagick
  poppler-utils
  sox ffmpeg librsvg2-bin pipewire-doc
  python3 python3-yaml
  liblilv-dev lilv-utils sordi calf-plugins pipewire-bin
  desktop-file-utils appstream man-db bash-completion debootstrap
)

wanted=("${build_packages[@]}")
if [[ "${1:-}" == "--test" ]]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [[ "${1:-}" == "--test" ]]; then
  # The locale tests run the whole calculation under a comma-decimal locale.
  need_locale=1
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && need_locale=0
else
  need_locale=0
fi

if (( ${#missing[@]} == 0 && need_locale == 0 )); then
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
else
  as_root=(sudo)
fi

if (( ${#missing[@]} > 0 )); then
  echo "Installing missing Debian packages: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if (( need_locale )); then
  echo "Generating the de_DE.UTF-8 locale for the locale tests"
  if [[ -f /etc/locale.gen ]]; then
    "${as_root[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen >/dev/null
  else
    "${as_root[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
fi
