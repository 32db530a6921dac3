#!/usr/bin/env bash
# A host built with Microsoft's compiler may call the 32-bit DLL with a stack
# aligned to 4 bytes only. SSE instructions with a 16-byte memory operand fault
# on an unaligned address, so every function of the DLL that uses one on its
# stack frame must realign its stack first ("and $-16, %esp").
# Usage: check-stack-alignment.sh DLL OBJDUMP
set -euo pipefail
dll=$1 objdump=$2
"$objdump" -d "$dll" | awk '
  /^[0-9a-f]+ <.*>:$/ { name = $2; realigned = 0; next }
  /and +\$0xfffffff0,%esp/ { realigned = 1 }
  /%xmm/ && /\((%esp|%ebp)/ {
    split($0, fields, "\t")
    split(fields[3], words, " ")
    if (words[1] ~ /^(movaps|movapd|movdqa|(add|sub|mul|div|and|andn|or|xor|max|min|sqrt|cmp[a-z]*|unpck[lh]|shuf)p[sd]|p[a-z0-9]+)$/) {
      aligned++
      if (!realigned) { unaligned++; print "FAIL: 16-byte stack operand without realignment in " name ": " fields[3] }
    }
  }
  END {
    printf "16-byte SSE operands on the stack: %d, all in realigned frames: %s\n", aligned, unaligned ? "no" : "yes"
    exit unaligned > 0
  }'
