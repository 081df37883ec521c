#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled sample panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
panel="$(pwd)/samples/FS2000/Aircraft/Demo/Panel/panel.cfg"
args=()
[ -f "$panel" ] && args+=("$panel")
exec build/src/ui/brindle "${args[@]}"
