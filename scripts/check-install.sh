#!/usr/bin/env bash
# Checks what "cmake --install" and the Debian package of a build put in place: the menu
# entry, AppStream metadata and file types validated, the file types recognised by name
# and by contents, the manual pages rendered with warnings as errors, the bash
# completion, the README's examples run by the installed tessivar-cli, and the package
# built and listed. Usage: scripts/check-install.sh [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() {
    echo "install: $*"
    exit 1
}

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
share=$stage/usr/share
desktop=$(ls "$share"/applications/*.desktop)
id=$(basename "$desktop" .desktop)

desktop-file-validate "$desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null
xmllint --noout "$share/mime/packages/$id.xml"
for icon in scalable/apps/$id.svg 48x48/apps/$id.png 128x128/apps/$id.png \
    256x256/apps/$id.png scalable/mimetypes/$id-tileset.svg scalable/mimetypes/$id-map.svg; do
    [ -s "$share/icons/hicolor/$icon" ] || fail "missing icon $icon"
done

# The file types, by extension and, for files named otherwise, by their first bytes.
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
cp "$root/examples/demo.vxt" "$stage/tiles.data"
cp "$root/examples/demo.vxm" "$stage/level.data"
for pair in "$root/examples/demo.vxt tileset" "$root/examples/demo.vxm map" \
    "$stage/tiles.data tileset" "$stage/level.data map"; do
    read -r file kind <<<"$pair"
    type=$(XDG_DATA_DIRS="$share" gio info -a standard::content-type "$file" |
        sed -n 's/.*content-type: //p')
    [ "$type" = "application/x-tessivar-$kind" ] || fail "$file is $type, not a $kind"
done

for page in "$share"/man/man1/tessivar.1 "$share"/man/man1/tessivar-cli.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# Completion of commands, option values and files by extension.
completion=$(cd "$root/examples" && bash -c '
    source "$1"
    complete_words() {
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
        _tessivar_cli
        echo "${COMPREPLY[*]}"
    }
    complete_words tessivar-cli export-m
    complete_words tessivar-cli export-map demo.vxm --dialect ""
    complete_words tessivar-cli info ""' - "$share/bash-completion/completions/tessivar-cli")
[ "$completion" = $'export-map\nz80 68k\ndemo.vxt demo.vxm' ] || fail "completion: $completion"

# The README's examples, run by the installed tool in a copy of the examples.
cp -r "$root/examples" "$stage/examples"
sed -n '/^## Install/,/^## /p' "$root/README.md" | grep -E '^    tessivar-cli ' |
    sed 's/^    //' >"$stage/examples.sh"
[ -s "$stage/examples.sh" ] || fail "no examples in the README's Install section"
(cd "$stage/examples" && PATH="$stage/usr/bin:$PATH" bash -euo pipefail "$stage/examples.sh" \
    >/dev/null) || fail "a README example failed"

# The package: its files and the dependencies read from the binaries.
log=$(cd "$build" && rm -f tessivar_*.deb && cpack -G DEB 2>&1) || fail "cpack: $log"
package=$(ls "$build"/tessivar_*.deb)
contents=$(dpkg-deb -c "$package")
for file in usr/bin/tessivar usr/bin/tessivar-cli "usr/share/applications/$id.desktop" \
    usr/share/man/man1/tessivar-cli.1 "usr/share/mime/packages/$id.xml"; do
    grep -q " \./$file\$" <<<"$contents" || fail "$file is not in the package"
done
dpkg-deb -f "$package" Depends | grep -q libqt6widgets6 || fail "the package lacks its Qt dependency"
echo "install: $(basename "$package") with $(grep -c . <<<"$contents") entries, all checks passed"
