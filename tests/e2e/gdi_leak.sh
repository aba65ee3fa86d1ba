#!/usr/bin/env bash
# Thousands of repaints leak no GDI objects and leave the window painting right.
set -uo pipefail
root=${1:?usage: gdi_leak.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
e2e_setup "$root" gdi_leak || exit 1
e2e_samples && e2e_skins || exit 1
e2e_scenario gdi_leak || exit 1
# Where no count is kept at all the comparison is skipped; say so rather than pass quietly.
if grep -q 'comparison skipped' "$E2E_DIR/simhost.log"; then
  echo "gdi_leak: passed (repaints checked; this system counts no GDI objects)"
  exit 0
fi
# The counts before the plug-in, with it loaded, and after the repaints.
counts=($(sed -n 's/.*-- objects GDI \([0-9]*\).*/\1/p' "$E2E_DIR/simhost.log"))
[ "${#counts[@]}" -eq 3 ] || e2e_fail "expected three object counts, found ${#counts[@]}" || exit 1
[ "${counts[1]}" -gt "${counts[0]}" ] ||
  e2e_fail "the plug-in's own objects are not counted (${counts[0]} -> ${counts[1]})" || exit 1
echo "gdi_leak: passed (GDI objects ${counts[0]} without the plug-in, ${counts[1]} before and ${counts[2]} after the repaints)"
