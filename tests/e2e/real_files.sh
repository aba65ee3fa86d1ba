#!/usr/bin/env bash
# Albums made by real encoders, taggers and archivers, read by the native tool.
set -euo pipefail
root=${1:-$(pwd)}
/usr/bin/python3 "$root/tests/e2e/real_files.py" "$root/build/tools/varimo/varimo" "$root/build/e2e/real_files"
