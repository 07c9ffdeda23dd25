#!/usr/bin/env bash
# Sets everything up and runs the product's main job: the installer registers
# Tallowin.dll, the stand-in host IDE starts with a sample project, and the version
# information command is used.
# With a display (and not under CI) the host is left to you: choose
# 編集 > ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ (Shift+Alt+V). Without one, the typical use is walked through under
# Xvfb by a script, and the screenshots and the produced files (VRI file, script,
# Version.RES, the updated project source) are left in out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
# Where the kernel runs no 32-bit programs, 32-bit Wine cannot start: the demo then runs the
# x86-64 build of the same sources under 64-bit Wine.
if bash scripts/can-run-win32.sh; then
  preset=win32 wine=(scripts/wine-run.sh) shipped="$PWD/build/win32/ship/dist"
else
  echo "demo: this machine runs no 32-bit programs; showing the x86-64 build of the same sources"
  preset=win64 wine=(scripts/wine-run.sh --win64) shipped="$PWD/build/win64/dist"
fi
cmake --preset "$preset" >/dev/null
# Only what the demo shows: the end-to-end test program, the stand-in host with its
# compiler and the shipped files; the test command builds the rest in the same tree.
cmake --build --preset "$preset" --target e2e_tests

build="$PWD/build/$preset"
prefix="$build/demo-prefix"
out="$PWD/out/demo"

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  work="$out/interactive"
  mkdir -p "$work/Tallowin" "$work/Delphi 2.0/Bin" "$work/Work"
  cp "$shipped/Setup.exe" "$shipped/Tallowin.dll" "$work/Tallowin/"
  # The help file goes beside the host's program, as the read-me tells users.
  cp "$build/hostsim/standin_host.exe" "$build/hostsim/brc32.exe" "$shipped/Quelvar.hlp" "$work/Delphi 2.0/Bin/"
  [ -f "$work/Work/Sample.dpr" ] || printf 'program Sample;\r\n\r\nuses\r\n  Forms;\r\n\r\n{$R *.RES}\r\n\r\nbegin\r\n  Application.Initialize;\r\n  Application.Run;\r\nend.\r\n' > "$work/Work/Sample.dpr"
  "${wine[@]}" "$prefix" "$work/Delphi 2.0/Bin/standin_host.exe" /register
  "${wine[@]}" "$prefix" "$work/Tallowin/Setup.exe"
  echo "The stand-in host opens $work/Work/Sample.dpr; choose 編集 > ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ (Shift+Alt+V); F1 opens the help."
  exec "${wine[@]}" "$prefix" "$work/Delphi 2.0/Bin/standin_host.exe" "$work/Work/Sample.dpr"
fi

rm -rf "$out" "$prefix" && mkdir -p "$out"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" env TALLOWIN_DEMO_OUT="Z:${out//\//\\}" \
  "${wine[@]}" "$prefix" "$build/tests/win32/e2e_tests.exe" \
  --gtest_filter='TypicalUse.FromInstallationToTheLinkedVersionResource' || status=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
for bmp in "$out"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done

echo
echo "== The typical use left its files in $out =="
ls -1 "$out"/*.png "$out/Work"
for f in Sample.vri Version.rc Sample.dpr; do
  echo "--- Work/$f"
  iconv -f CP932 -t UTF-8 "$out/Work/$f" | tr -d '\r'
done
echo "--- Work/Version.RES: $(stat -c %s "$out/Work/Version.RES") bytes, written by the resource compiler stand-in"

# The same project built as a batch build would: TalloVer.exe bumps the build number,
# writes the script, runs the host's resource compiler (the stand-in brc32.exe the typical
# use installed with the host) and waits for it, then checks the directive.
echo
echo "== A batch build of the same project (TalloVer.exe) =="
out_win="Z:${out//\//\\}"
"${wine[@]}" "$prefix" "$shipped/TalloVer.exe" --bump build --compile \
  --compiler "$out_win\\Delphi 2.0\\Bin\\brc32.exe" --update-source "$out_win\\Work\\Sample.dpr" || status=$?
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
iconv -f CP932 -t UTF-8 "$out/Work/Sample.vri" | tr -d '\r' | grep '^FileVersion='
grep -c 'VERSION.RES' "$out/Work/Sample.dpr" | sed 's/^/directives in Sample.dpr: /'
exit $status
