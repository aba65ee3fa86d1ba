#!/usr/bin/env bash
# Nothing clipped: every caption, tab, column heading, list cell and fixed-list entry of the
# options and file information dialogs fits its control, in Japanese and in English.
set -uo pipefail
root=${1:?usage: captions_fit.sh REPO_ROOT}
source "$root/tests/e2e/lib/simhost.bash"
status=0
for lang in ja_JP.UTF-8 en_US.UTF-8; do
  e2e_setup "$root" "captions_fit_${lang%%_*}" || exit 1
  e2e_samples || exit 1
  if ! FIT_LANG=${lang%%_*} E2E_LANG=$lang e2e_run "$E2E_ROOT/tests/e2e/scenarios/captions_fit.txt"; then
    echo "captions_fit: $lang:"
    grep -a 'does not fit: \|FAIL ' "$E2E_DIR/simhost.log" | sed 's/^/  /'
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "captions_fit: passed"
exit "$status"
