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

subcommands=$("$quarnel" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p')
[ -n "$subcommands" ] || { echo "make-manpage.sh: no subcommands in '$quarnel --help'" >&2; exit 1; }
{
  echo "[COMMANDS]"
  for name in $subcommands; do
    echo ".SS quarnel $name"
    echo ".nf"
    "$quarnel" "$name" --help | as_roff
    echo ".fi"
  done
} >"$work/commands.h2m"

"$help2man" --no-info --section=1 --source=quarnel \
  --name="read, convert, check and draw punch tool libraries and special tools" \
  --include="$work/commands.h2m" --output="$work/quarnel.1" "$quarnel"
gzip -9n <"$work/quarnel.1" >"$output.tmp"
mv "$output.tmp" "$output"
