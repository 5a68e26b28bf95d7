#!/usr/bin/env bash
# Sets up what is missing, builds the editor alone (not the tests and benchmarks), and starts it
# with the given arguments.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
kelvane_install_packages
kelvane_build_targets default kelvane
exec "$KELVANE_ROOT/build/src/kelvane" "$@"
