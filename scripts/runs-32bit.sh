#!/usr/bin/env bash
# Says whether this machine's kernel runs 32-bit x86 programs, which the i686 Tolvane.exe needs
# under Wine. Machines of the same kind differ here and /proc does not always tell, so it builds
# a two-instruction static i386 program on the spot and runs it.
#
# usage: scripts/runs-32bit.sh
# Exit status: 0 it runs 32-bit code; 1 the kernel refuses it (the reason on stdout);
#   2 the probe could not be built (binutils missing).
set -uo pipefail

for tool in as ld; do
  command -v "$tool" >/dev/null || {
    echo "cannot probe for 32-bit support: '$tool' not found (binutils)"
    exit 2
  }
done

dir=$(mktemp -d) || exit 2
trap 'rm -rf "$dir"' EXIT

# Exits with status 42 through the 32-bit system call gate.
cat >"$dir/probe.s" <<'END'
.globl _start
_start: movl $1, %eax; movl $42, %ebx; int $0x80
END
if ! as --32 "$dir/probe.s" -o "$dir/probe.o" 2>"$dir/build.log" ||
  ! ld -m elf_i386 "$dir/probe.o" -o "$dir/probe" 2>>"$dir/build.log"; then
  echo "cannot probe for 32-bit support: $(head -n 1 "$dir/build.log")"
  exit 2
fi

"$dir/probe" 2>"$dir/run.log"
status=$?
[[ $status -eq 42 ]] && exit 0
error=$(sed -n 's/.*: //p' "$dir/run.log" | head -n 1)
if [[ $error == "Permission denied" ]]; then
  echo "cannot probe for 32-bit support: $dir is not executable"
  exit 2
fi
echo "this kernel refuses 32-bit code (a static i386 program: ${error:-exit status $status})"
exit 1
