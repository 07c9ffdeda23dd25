#!/usr/bin/env bash
# Takes the screenshots of the windows (editor, options dialog, About box, save
# question) while the window tests run, and puts them as PNG files in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
shots="$PWD/build/win32/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
prefix="$PWD/build/win32/wineprefix"
xvfb-run -a -s "-screen 0 1024x768x24" env TALLOWIN_SCREENSHOTS="Z:${shots//\//\\}" \
  scripts/wine-run.sh "$prefix" build/win32/tests/win32/editor_ui_tests.exe \
  --gtest_filter='*OpensWithInitialValues*:*AcceptingTheOptions*:*ContentsAndAbout*:*AsksWhetherToSave/0' >/dev/null
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
mkdir -p docs
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "docs/$(basename "${bmp%.bmp}").png"
done
ls docs/*.png
