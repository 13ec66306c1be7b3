#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillhour with the given arguments.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
qh_install_packages "${QH_PACKAGES[@]}"
qh_build
exec "$QH_BUILD/bin/quillhour" "$@"
