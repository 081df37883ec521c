#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled sample panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The demo keeps its own settings file, so a user's own simulator folders stay as they are; its
# simulator folder is the bundled one, whose gauges folder holds the sample gauge modules.
panel="$(pwd)/samples/FS2000/Aircraft/Demo/Panel/panel.cfg"
exec build/src/ui/brindle --settings build/demo-settings.ini --sim-dir samples/FS2000 "$panel" "$@"
