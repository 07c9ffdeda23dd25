#!/usr/bin/env bash
# Takes the screenshots of the windows (editor, options dialog, About box, save
# question) while the window tests run, and of Wine's help viewer showing the topic that
# F1 opens and its index (while the end-to-end help tests run), and puts them as PNG files
# in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
# Without 32-bit programs on this machine, the x86-64 build of the same sources is shown.
if bash scripts/can-run-win32.sh; then preset=win32 wine=(scripts/wine-run.sh); else preset=win64 wine=(scripts/wine-run.sh --win64); fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
shots="$PWD/build/$preset/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
prefix="$PWD/build/$preset/wineprefix"
xvfb-run -a -s "-screen 0 1024x768x24" env TALLOWIN_SCREENSHOTS="Z:${shots//\//\\}" \
  "${wine[@]}" "$prefix" "build/$preset/tests/win32/editor_ui_tests.exe" \
  --gtest_filter='*OpensWithInitialValues*:*AcceptingTheOptions*:*ContentsAndAbout*:*AsksWhetherToSave/0' >/dev/null
# Without a window manager under Xvfb, Wine draws the viewer's title bar only when told to.
# The prefix is shared with the tests: its setting is put back as it was found.
x11='HKCU\Software\Wine\X11 Driver'
decorated=$("${wine[@]}" "$prefix" reg query "$x11" /v Decorated 2>/dev/null | tr -d '\r' | awk '$1 == "Decorated" { print $3 }' || true)
restore_decorated() {
  if [ -n "$decorated" ]; then
    "${wine[@]}" "$prefix" reg add "$x11" /v Decorated /d "$decorated" /f >/dev/null
  else
    "${wine[@]}" "$prefix" reg delete "$x11" /v Decorated /f >/dev/null 2>&1 || true
  fi
}
trap restore_decorated EXIT
"${wine[@]}" "$prefix" reg add "$x11" /v Decorated /d N /f >/dev/null
xvfb-run -a -s "-screen 0 1024x768x24" env TALLOWIN_SCREENSHOTS="Z:${shots//\//\\}" \
  "${wine[@]}" "$prefix" "build/$preset/tests/win32/e2e_tests.exe" --gtest_filter='*F1AndTheHelpButton*:ShippedHelp.*' >/dev/null
restore_decorated
trap - EXIT
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
mkdir -p docs
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "docs/$(basename "${bmp%.bmp}").png"
done
ls docs/*.png
