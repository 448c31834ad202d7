#!/usr/bin/env bash
# Each manual page renders with man as lintian renders it, without a single warning, and its
# NAME section reads "PROGRAM - what it does".
#   pages_render_test.sh PAGE.1.gz...
set -uo pipefail
failed=0
for page in "$@"; do
  name=$(basename "$page" .1.gz)
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
    >/dev/null)
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANPAGER=cat man -l "$page" 2>/dev/null)
  if [[ -n $warnings ]]; then
    echo "$page: man warns:"
    echo "$warnings"
    failed=1
  fi
  if ! grep -qE "^ +$name - [a-z]" <<<"$text"; then
    echo "$page: no NAME line '$name - ...'; it renders as:"
    head -20 <<<"$text"
    failed=1
  fi
done
exit $failed
