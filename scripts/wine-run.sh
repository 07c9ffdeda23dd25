#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix with a Japanese locale
# (ANSI code page 932). The prefix is created on first use.
# Usage: wine-run.sh [--win64] PREFIX PROGRAM [ARGS...]
# --win64 runs a 64-bit program with 64-bit Wine alone, in a prefix of its own kind: where
# the kernel runs no 32-bit programs, the "wine" command (which prefers the 32-bit loader)
# and every tool started through it cannot start.
set -euo pipefail
wine=(wine)
if [ "${1-}" = "--win64" ]; then
  shift
  if [ -z "${WINELOADER-}" ]; then
    WINELOADER=$(command -v wine64 || echo /usr/lib/wine/wine64)
  fi
  # Wine starts child processes (the programs a test starts) with the loader named here.
  export WINELOADER WINEARCH=win64
  wine=("$WINELOADER")
fi
prefix=$1; shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installer prompts (the product needs neither), and no debugger
# waiting on a crashed program: a crash ends the run.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "${wine[@]}" wineboot.exe -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: Wine draws the window frames itself and does not
    # wait for a manager to map or withdraw windows. The windows' font
    # "ＭＳ Ｐゴシック" is played by IPA P Gothic.
    "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
    "${wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    "${wine[@]}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1 || true
    "${wine[@]}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null 2>&1 || true
    wineserver -w
  fi
) 9>"$prefix.lock"
exec "${wine[@]}" "$@"
