#!/usr/bin/env bash
# Shared by run.sh and test.sh: install the Debian packages that are missing,
# then configure (once) and build in build/.
set -euo pipefail

QH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QH_BUILD="$QH_ROOT/build"

QH_PACKAGES=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
  dpkg-dev desktop-file-utils appstream lintian bash-completion man-db
  fonts-wine fonts-liberation2
)

qh_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$pkg"
    fi
  done
}

qh_install_packages() {
  local missing
  missing=$(qh_missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
      echo "Missing packages: $missing" >&2
      echo "Run as root or install sudo." >&2
      exit 1
    fi
  fi
  echo "Installing: $missing"
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

qh_build() {
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  if [ ! -f "$QH_BUILD/CMakeCache.txt" ]; then
    cmake -S "$QH_ROOT" -B "$QH_BUILD" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQH_WERROR="$werror"
  else
    cmake -S "$QH_ROOT" -B "$QH_BUILD" -DQH_WERROR="$werror" >/dev/null
  fi
  cmake --build "$QH_BUILD" --parallel "$(nproc)"
}
