#!/usr/bin/env bash
# Checks the layering of src/: core never includes Qt or the front ends, and each core
# folder includes only the folders listed before it here.
set -euo pipefail
cd "$(dirname "$0")/.."
order=(util model files picture grid render workspace tileeditor tileinfo mapeditor export
       imageimport)
status=0
if grep -rEn '#include <Q|#include "(ui|cli)/' src/core; then
    echo "layers: src/core must not include Qt or a front end"
    status=1
fi
for ((i = 0; i < ${#order[@]}; i++)); do
    folder=${order[$i]}
    allowed=("${order[@]:0:$((i + 1))}")
    while IFS= read -r line; do
        used=$(sed -E 's|.*#include "core/([a-z]+)/.*|\1|' <<<"$line")
        if [[ ! " ${allowed[*]} " =~ " ${used} " ]]; then
            echo "layers: $line (core/$folder may not include core/$used)"
            status=1
        fi
    done < <(grep -rHn '#include "core/' "src/core/$folder" || true)
done
for folder in src/core/*/; do
    name=$(basename "$folder")
    if [[ ! " ${order[*]} " =~ " ${name} " ]]; then
        echo "layers: src/core/$name is not in the layer order of scripts/check-layers.sh"
        status=1
    fi
done
exit $status
