#!/usr/bin/env bash
# Makes the man page of the quarnel command from its --help texts: help2man
# turns the command's own help into the page, and every subcommand's help
# becomes a subsection of COMMANDS, so the page follows the command as it grows.
# Usage: make-manpage.sh HELP2MAN QUARNEL OUTPUT.1.gz
set -euo pipefail
help2man=$1 quarnel=$2 output=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Help text as preformatted roff: backslashes and leading control characters escaped.
as_roff() { sed -e 's/\\/\\e/g' -e "s/^[.']/\\\\\\&&/"; }

top_help=$("$quarnel" --help)
subcommands=$(sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p' <<<"$top_help")
[ -n "$subcommands" ] || { echo "make-manpage.sh: no subcommands in '$quarnel --help'" >&2; exit 1; }
footer=$(tail -n 1 <<<"$top_help")  # repeated by every subcommand's help
{
  echo "[COMMANDS]"
  for name in $subcommands; do
    echo ".SS quarnel $name"
    # The description as a paragraph, the usage and options as printed.
    "$quarnel" "$name" --help | grep -vxF "$footer" | as_roff |
      awk '/^Usage:/ && !fixed { print ".nf"; fixed = 1 } { print } END { if (fixed) print ".fi" }'
  done
} >"$work/commands.h2m"

"$help2man" --no-info --section=1 --source=quarnel \
  --name="read, convert, check and draw punch tool libraries and special tools" \
  --include="$work/commands.h2m" --output="$work/quarnel.1" "$quarnel"
gzip -9n <"$work/quarnel.1" >"$output.tmp"
mv "$output.tmp" "$output"
