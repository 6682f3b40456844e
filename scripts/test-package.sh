#!/usr/bin/env bash
# The Debian package as a user gets it: lintian's checks, the menu entry's and the metainfo's validators,
# then the package unpacked into a temporary root, where talpo-cli must predict the sample day as the build
# tree's does, and talpo's first start must create Talpo.ini in the user's configuration folder, never
# beside the program. Reuses the build the package was made from; builds nothing.
#   scripts/test-package.sh BUILD PACKAGE_DIR      (`make test-package`: build/default, build/package)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1
package_dir=$2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$package_dir/talpo_${version}_amd64.deb
app_id=$(sed -n 's/^set(TALPO_APP_ID \(.*\))$/\1/p' cmake/TalpoIcons.cmake)
[ -f "$deb" ] || { echo "no package $deb (make package)"; exit 1; }

work=$(mktemp -d)
talpo_pid=
cleanup() {
    [ -n "$talpo_pid" ] && kill "$talpo_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"

passed=0
failed=0
check() {
    local name=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        echo "PASS $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        sed 's/^/    /' "$work/out"
        failed=$((failed + 1))
    fi
}

lintian_clean() {
    lintian --fail-on error,warning --tag-display-limit 0 "$deb"
}

control_fields() {
    [ "$(dpkg-deb -f "$deb" Package)" = talpo ] && [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] &&
        dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' &&
        dpkg-deb -f "$deb" Depends | grep -q 'libqt6charts6' &&
        dpkg-deb -f "$deb" Depends | grep -q 'libtomlplusplus3' &&
        dpkg-deb -f "$deb" Depends | grep -q 'fonts-ipafont-gothic'
}

installed_files() {
    local missing=0 f
    for f in usr/bin/talpo usr/bin/talpo-cli usr/share/talpo/talpo.hlp \
        "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
        "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
        usr/share/man/man1/talpo.1.gz usr/share/man/man1/talpo-cli.1.gz \
        usr/share/bash-completion/completions/talpo-cli \
        usr/share/doc/talpo/copyright usr/share/doc/talpo/changelog.gz usr/share/doc/talpo/README.md; do
        [ -f "$root/$f" ] || { echo "missing $f"; missing=1; }
    done
    for size in 16 24 32 48 64 128 256; do
        f=usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
        file "$root/$f" | grep -q "PNG image data, $size x $size" || { echo "missing or wrong $f"; missing=1; }
    done
    return $missing
}

desktop_entry_valid() {
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
}

metainfo_valid() {
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
}

# The pages name the programs and carry their --help, as the installed programs print it.
manual_pages() {
    zcat "$root/usr/share/man/man1/talpo-cli.1.gz" | grep -q '^\.TH TALPO-CLI' &&
        zcat "$root/usr/share/man/man1/talpo-cli.1.gz" | grep -q -- 'predict' &&
        zcat "$root/usr/share/man/man1/talpo.1.gz" | grep -q "^\.TH TALPO \"1\" .*talpo $version"
}

# What bash offers after "talpo-cli " and after "talpo-cli predict in/ --".
completion() {
    local offered
    offered=$(bash -c 'source "$1"; COMP_WORDS=(talpo-cli ""); COMP_CWORD=1; _talpo_cli; echo "${COMPREPLY[*]}"' \
        _ "$root/usr/share/bash-completion/completions/talpo-cli")
    echo "commands: $offered"
    [ "$offered" = "extract predict show pdf sample backtest --help --version" ] || return 1
    offered=$(bash -c 'source "$1"; COMP_WORDS=(talpo-cli predict in/ --); COMP_CWORD=3; _talpo_cli
        echo "${COMPREPLY[*]}"' _ "$root/usr/share/bash-completion/completions/talpo-cli")
    echo "predict: $offered"
    [ "$offered" = "--help --quiet --write --json --csv" ]
}

cli_version() {
    "$root/usr/bin/talpo-cli" --version | grep -qw "$version"
}

# The unpacked talpo-cli and the build tree's on the sample day: the same files, byte for byte, and race cards
# of the same text (a PDF carries its time of making).
cli_sample_day() {
    local cli
    for cli in "$root/usr/bin/talpo-cli" "$build/src/cli/talpo-cli"; do
        local out=$work/cli-$([ "$cli" = "$root/usr/bin/talpo-cli" ] && echo package || echo build)
        mkdir -p "$out/in" "$out/bets"
        "$cli" extract samples/sample-day.lzh "$out/in"
        "$cli" predict "$out/in" "$out/bets" --json "$out/bets/day.json"
        "$cli" show "$out/in" --race all >"$out/show.txt"
        "$cli" pdf -q "$out/in" "$out/day.pdf"
    done
    ls "$work/cli-package/bets" | grep -q '^K.*\.txt$' &&
        diff -r "$work/cli-build/bets" "$work/cli-package/bets" &&
        diff "$work/cli-build/show.txt" "$work/cli-package/show.txt" &&
        diff <(pdftotext "$work/cli-build/day.pdf" -) <(pdftotext "$work/cli-package/day.pdf" -)
}

# The first start of the unpacked talpo: Talpo.ini appears in $XDG_CONFIG_HOME/talpo/ (the program stays
# open, so the file is awaited, for at most 30 s), with ~/TALPO/ as both directories, made and visible in
# the home folder; nothing is written into the unpacked bin/, though root may write there.
talpo_first_start() {
    local config=$work/config ini=$work/config/talpo/Talpo.ini
    XDG_CONFIG_HOME=$config HOME=$work/home QT_QPA_PLATFORM=offscreen "$root/usr/bin/talpo" &
    talpo_pid=$!
    local waited=0
    while [ ! -s "$ini" ] && [ $waited -lt 300 ] && kill -0 "$talpo_pid" 2>/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
    done
    kill "$talpo_pid" 2>/dev/null || true
    wait "$talpo_pid" 2>/dev/null || true
    talpo_pid=
    cat "$ini" || return 1
    grep -q "^InFile=$work/home/TALPO/" "$ini" && grep -q "^OutFile=$work/home/TALPO/" "$ini" &&
        [ -d "$work/home/TALPO" ] && [ -z "$(ls -A "$root/usr/bin" | grep -v '^talpo\(-cli\)\?$')" ]
}

check "lintian --fail-on error,warning" lintian_clean
check "control: name, version $version, dependencies" control_fields
check "installed files" installed_files
check "desktop-file-validate" desktop_entry_valid
check "appstreamcli validate --no-net" metainfo_valid
check "manual pages" manual_pages
check "bash completion" completion
check "talpo-cli --version" cli_version
check "talpo-cli on the sample day as the build tree's" cli_sample_day
check "talpo's first start: Talpo.ini in \$XDG_CONFIG_HOME/talpo/, folders ~/TALPO/" talpo_first_start

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
