#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on a Debian 12 machine (run as root).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6 qt6-svg-dev
      libjpeg62-turbo-dev libchm-dev libgumbo-dev fp-compiler-3.2.2 fp-units-misc-3.2.2 fp-units-fcl-3.2.2
      libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
      xvfb xauth chromium desktop-file-utils appstream
      fonts-dejavu-core fonts-liberation file ccache qt6-translations-l10n)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Node.js and npm: use the machine's own when present, else Debian's.
if ! command -v npm >/dev/null 2>&1; then
  apt-get install -y -qq --no-install-recommends nodejs npm
fi
if [ -f "$here/tests/web/package.json" ] && [ ! -d "$here/tests/web/node_modules/playwright-core" ]; then
  (cd "$here/tests/web" && npm install --no-audit --no-fund --silent)
fi
