#!/usr/bin/env bash
# Regenerates samples/sample-day.lzh: the day that talpo-cli sample writes with its defaults, packed with a
# real LZH archiver (-lh5-). Needs jlha (Debian jlha-utils, which needs Java). CI does not run this; the
# archive is committed.
set -euo pipefail
cli=${1:-build/default/src/cli/talpo-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" sample "$work" >/dev/null
(cd "$work" && jlha c2o5 sample-day.lzh rdx_den.dat rdx_uma.dat >/dev/null)
cp "$work/sample-day.lzh" samples/sample-day.lzh
lhasa v samples/sample-day.lzh
