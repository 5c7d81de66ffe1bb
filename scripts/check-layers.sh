#!/usr/bin/env bash
# Checks the layering of src/: core never includes Qt or the front ends, the command-line
# tool never includes the editor, each folder of core/ and ui/ includes only the folders
# listed before it here, and no two files (a header with its source counted as one) include
# each other, directly or through others.
set -euo pipefail
cd "$(dirname "$0")/.."
core_order=(util model files picture drawing render workspace tileeditor tileinfo mapeditor export
            imageimport interchange)
ui_order=(common tileinfo export imageimport mapeditor tileeditor app)
status=0
if grep -rEn '#include <Q|#include "(ui|cli)/' src/core; then
    echo "layers: src/core must not include Qt or a front end"
    status=1
fi
if grep -rEn '#include "ui/' src/cli; then
    echo "layers: src/cli must not include the editor"
    status=1
fi

# check_order LAYER FOLDER...: each folder of src/LAYER includes only those before it.
check_order() {
    local layer=$1
    shift
    local order=("$@")
    local i folder used line name
    for ((i = 0; i < ${#order[@]}; i++)); do
        folder=${order[$i]}
        local allowed=("${order[@]:0:$((i + 1))}")
        while IFS= read -r line; do
            used=$(sed -E "s|.*#include \"$layer/([a-z]+)/.*|\\1|" <<<"$line")
            if [[ ! " ${allowed[*]} " =~ " ${used} " ]]; then
                echo "layers: $line ($layer/$folder may not include $layer/$used)"
                status=1
            fi
        done < <(grep -rHn "#include \"$layer/" "src/$layer/$folder" || true)
    done
    for folder in src/"$layer"/*/; do
        name=$(basename "$folder")
        if [[ ! " ${order[*]} " =~ " ${name} " ]]; then
            echo "layers: src/$layer/$name is not in the layer order of scripts/check-layers.sh"
            status=1
        fi
    done
}
check_order core "${core_order[@]}"
check_order ui "${ui_order[@]}"

# Include cycles: one edge per include between two different files of src/.
cycles=$(grep -rHE '#include "(core|ui|cli)/' src |
    awk -F: '{ from = $1; sub(/^src\//, "", from); sub(/\.[a-z]+$/, "", from)
               match($0, /#include "[^"]+"/); to = substr($0, RSTART + 10, RLENGTH - 11)
               sub(/\.[a-z]+$/, "", to); if (from != to) print from, to }' |
    tsort 2>&1 >/dev/null || true)
if [[ -n $cycles ]]; then
    sed 's/^tsort: /layers: include cycle: /' <<<"$cycles"
    status=1
fi
exit $status
