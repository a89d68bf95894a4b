#!/usr/bin/env bash
# Each manual page describes the options its program's --help prints, and no others.
# Usage: man_pages.sh PROGRAM PAGE [PROGRAM PAGE]...
set -u
failed=0
while [ $# -ge 2 ]; do
  program=$1 page=$2
  shift 2
  # In --help an option's line starts with two blanks and a dash: "  -h, --help   Shows...".
  from_help=$("$program" --help | grep -oE '^  -[^ ]+(, --[^ ]+)?' | tr ', ' '\n\n' | grep . | sort -u)
  # In the page, the line after each .TP of the OPTIONS section names options; roff writes - as \-.
  from_page=$(sed -n '/^\.SH OPTIONS/,/^\.SH /{/^\.TP/{n;p}}' "$page" | sed 's/\\-/-/g' |
    grep -oE '(^|[ "])--?[a-zA-Z][a-zA-Z-]*' | tr -d ' "' | sort -u)
  if [ -z "$from_help" ] || [ "$from_help" != "$from_page" ]; then
    echo "FAIL: $page and $(basename "$program") --help differ (<: --help only, >: page only):"
    diff <(echo "$from_help") <(echo "$from_page") | grep '^[<>]'
    failed=1
  fi
done
exit $failed
