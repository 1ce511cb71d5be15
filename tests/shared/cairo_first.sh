#!/usr/bin/env bash
# Runs COMMAND... (a program with cairo loaded before the shared plotter library) twice: to a PDF,
# which must hold its two pages each at its own size, then under a 4 KiB file-size limit, where the
# write error must end it with one line and status 1, and the file cut short must go.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

PGPLOT_DEV="$work/two.pdf/pdf" "$@" || fail "the two-page run ended with status $?"
sizes=$(pdfinfo -f 1 -l 2 "$work/two.pdf" | grep '^Page .* size:' | tr -s ' ')
expected='Page 1 size: 623.622 x 340.157 pts
Page 2 size: 340.157 x 623.622 pts'
[ "$sizes" = "$expected" ] || fail "page sizes: $sizes"

(trap '' XFSZ; ulimit -f 4; PGPLOT_DEV="$work/full.pdf/pdf" exec "$@" 2>"$work/err")
status=$?
[ "$status" = 1 ] || fail "under the size limit: status $status"
said=$(cat "$work/err")
[ "$said" = "plotter: cannot write $work/full.pdf: File too large" ] || fail "under the size limit: $said"
[ ! -e "$work/full.pdf" ] || fail "under the size limit: the file cut short was left"
exit "$failed"
