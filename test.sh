#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
qh_install_packages "${QH_PACKAGES[@]}"
qh_build
cd "$QH_BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --parallel "$(nproc)" "$@"
