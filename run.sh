#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the editor with the given arguments.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
kelvane_install_packages
kelvane_build default
exec "$KELVANE_ROOT/build/src/kelvane" "$@"
