#!/usr/bin/env bash
# Sets everything up, builds the program and starts it. Without a display it does the program's main
# job headlessly: it generates the bundled example project into build/example-output.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$here/build/corvantel" "$@"
fi
echo "No display is available: generating the example project without a window."
echo "(To see the window, run this from a desktop session, or: xvfb-run -a build/corvantel)"
out="$here/build/example-output"
mkdir -p "$out"
"$here/build/corvantel" --generate "$out" "$here/examples/club/club.cvp"
echo "Open $out/menu.html in a browser to see the menus."
