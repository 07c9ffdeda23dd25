#!/usr/bin/env bash
# Succeeds when Wine can run 32-bit Windows programs here. Wine's 32-bit side is a 32-bit
# Linux program: a kernel built or booted without 32-bit emulation refuses to start it
# ("Exec format error"), and then no Windows test can run on this machine.
# A user-mode emulator registered for 32-bit programs (qemu-i386 through binfmt_misc) does
# not count: the suite would take hours, and the faults it raises are not those Windows
# raises (an access violation arrives as an illegal instruction).
for entry in /proc/sys/fs/binfmt_misc/*; do
  [ -f "$entry" ] || continue
  if grep -q '^enabled' "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null; then
    exit 1
  fi
done
wineserver32=/usr/lib/wine/wineserver32
[ -x "$wineserver32" ] && "$wineserver32" --version >/dev/null 2>&1
