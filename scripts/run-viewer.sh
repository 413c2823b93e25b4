#!/usr/bin/env bash
# The main command: installs what is needed, builds tavix-view in Release and opens
# the bundled sample database in it: in a window when DISPLAY is set, otherwise as a
# PNG screenshot whose path it prints. Extra arguments go to tavix-view.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TAVIX_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tavix-view
viewer="$build/apps/tavix-view/tavix-view"
if [ -n "${DISPLAY:-}" ]; then
  exec "$viewer" "$@"
fi
exec "$viewer" --screenshot "${TAVIX_VIEW_PNG:-tavix-view.png}" "$@"
