#!/usr/bin/env bash
# Succeeds when Wine can run 32-bit Windows programs here. Wine's 32-bit side is a 32-bit
# Linux program: a kernel built or booted without 32-bit emulation refuses to start it
# ("Exec format error"), and then no Windows test can run on this machine.
wineserver32=/usr/lib/wine/wineserver32
[ -x "$wineserver32" ] && "$wineserver32" --version >/dev/null 2>&1
