#!/usr/bin/env bash
# Starts Vexlo.exe under Wine on a ready demo: two sample projects already in the recent list
# and a complete tool set-up (stand-in JDK, SDK, Ant and keystore), so everything can be tried,
# "Compile APK" included.
# Uses your X display when DISPLAY is set; otherwise a private one, with a screenshot saved.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
echo "building..."
fake_tools=(); for f in "$REPO_ROOT"/tests/fake-tools/*.cpp; do fake_tools+=("$(basename "$f" .cpp)"); done
build_windows "$WINE_ARCH" Vexlo "${fake_tools[@]}"
prepare_wine_prefix
BIN=$BUILD_ROOT/$RUN_BUILD/bin
DEMO=$BUILD_ROOT/demo
rm -rf "$DEMO"; mkdir -p "$DEMO/projects" "$DEMO/tools"
cp -r "$REPO_ROOT/tests/fixtures/basic-project" "$DEMO/projects/Demo Game"
cp -r "$REPO_ROOT/tests/fixtures/android-project" "$DEMO/projects/Notes"
# A third sample whose Java source lacks a semicolon: "Compile APK" ends in the failure report.
cp -r "$REPO_ROOT/tests/fixtures/basic-project" "$DEMO/projects/Broken Demo"
sed -i 's/super.onCreate(savedInstanceState);/super.onCreate(savedInstanceState)/' \
  "$DEMO/projects/Broken Demo/src/com/rfo/basic/Basic.java"
bash "$REPO_ROOT/scripts/make-fake-toolchain.sh" "$DEMO/tools" "$BIN"
win() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
local_app=$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
recent=$("$WINE" winepath -u "$local_app" 2>/dev/null)/Vexlo.recent.projects
mkdir -p "$(dirname "$recent")"
printf '%s\r\n%s\r\n%s\r\n' "$(win "$DEMO/projects/Broken Demo")" "$(win "$DEMO/projects/Notes")" \
  "$(win "$DEMO/projects/Demo Game")" > "$recent"
echo "demo projects in $DEMO/projects; pick one in the 'Project :' list"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$BIN/Vexlo.exe"
else
  shot=$BUILD_ROOT/demo-screenshot.png
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "\"$WINE\" '$BIN/Vexlo.exe' & sleep 15; import -window root '$shot'; wineserver -k"
  echo "no DISPLAY: ran on a private screen and saved $shot"
fi
