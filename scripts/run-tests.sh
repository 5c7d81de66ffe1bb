#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds and runs every test: the
# release build, its install and Debian package, the same tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz harness for a short while on its seed
# corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
fuzz_seconds=${TESSIVAR_FUZZ_SECONDS:-20}
export QT_QPA_PLATFORM=offscreen

scripts/install-deps.sh

echo "== Formatting"
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

echo "== Layers"
scripts/check-layers.sh

echo "== Release build and tests"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

echo "== Install, desktop files, manual pages and Debian package"
scripts/check-install.sh build/default

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"

echo "== Fuzz harnesses (${fuzz_seconds}s each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
fuzzers=0
for harness in build/fuzz/fuzz/*_fuzzer; do
    name=$(basename "$harness")
    scratch=$(mktemp -d)
    # New inputs go to a scratch folder so the committed seed corpus stays small.
    "$harness" -max_total_time="$fuzz_seconds" -print_final_stats=0 \
        "$scratch" "fuzz/corpus/$name" 2>"$scratch.log" || {
        tail -n 40 "$scratch.log"
        echo "fuzz: $name found a failure"
        exit 1
    }
    grep -E '^Done|^#[0-9]+.*DONE' "$scratch.log" | tail -n 1 | sed "s/^/$name: /"
    rm -rf "$scratch" "$scratch.log"
    fuzzers=$((fuzzers + 1))
done
echo "fuzz: $fuzzers passed, 0 failed"
