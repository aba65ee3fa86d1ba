#!/usr/bin/env bash
# The help pages installed beside the DLL, Japanese and English, read right in the host's mini
# browser.
set -euo pipefail
root=${1:-$(pwd)}
/usr/bin/python3 "$root/tests/e2e/help_page.py" "$root/resources/gen_Varimo.htm" japanese
/usr/bin/python3 "$root/tests/e2e/help_page.py" "$root/resources/gen_Varimo.en.htm" english
