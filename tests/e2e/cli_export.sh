#!/usr/bin/env bash
# The native tool's extract --all and cue on the sample albums, read back independently.
set -euo pipefail
root=${1:-$(pwd)}
work=$root/build/e2e/cli_export
rm -rf "$work" && mkdir -p "$work/samples" "$work/out"
"$root/build/tests/make_samples" "$work/samples"
/usr/bin/python3 "$root/tests/e2e/cli_export.py" "$root/build/tools/varimo/varimo" \
  "$work/samples" "$work/out"
