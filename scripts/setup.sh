#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures and builds
# the given CMake presets, or only some targets of one. Sourced by run.sh, test.sh and bench.sh.
set -euo pipefail

KELVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

kelvane_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libfontconfig-dev
  nlohmann-json3-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  desktop-file-utils libxml2-utils
  shared-mime-info file dpkg-dev
  # Test only: the package checks, the assemblers that judge the text exports, and clang's
  # libFuzzer for the readers.
  lintian appstream xdg-utils libfile-mimeinfo-perl
  acme cc65 xa65 64tass
  clang libclang-rt-14-dev
)

kelvane_install_packages() {
  local missing=()
  local pkg
  for pkg in "${kelvane_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >&2
}

# What a build folder is first configured with beyond its preset; test.sh adds to it.
kelvane_configure_args=()

# Configures a preset's build folder once, then builds the given targets in it (everything when
# none are given).
kelvane_build_targets() {
  local preset=$1
  shift
  local dir=build
  [ "$preset" = default ] || dir="build-$preset"
  if [ ! -f "$KELVANE_ROOT/$dir/build.ninja" ]; then
    cmake --preset "$preset" -S "$KELVANE_ROOT" "${kelvane_configure_args[@]}" >&2
  fi
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake --build --preset "$preset" "${targets[@]}" >&2
}

kelvane_build() {
  local preset
  for preset in "$@"; do
    kelvane_build_targets "$preset"
  done
}
