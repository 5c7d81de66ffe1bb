#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on the bundled example.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cd "$root"
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tessivar
# The example tile set names its map by a path relative to the examples folder.
cd "$root/examples"
exec "$root/build/default/src/ui/tessivar" demo.vxt
