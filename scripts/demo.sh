#!/usr/bin/env bash
# Starts Vexlo.exe under Wine on a ready demo: two sample projects already in the recent list
# and a complete tool set-up (stand-in JDK, SDK, Ant and keystore), so everything can be tried.
# Uses your X display when DISPLAY is set; otherwise a private one, with a screenshot saved.
set -euo pipefail
source "$(dirname "$0")/common.sh"
bash "$REPO_ROOT/scripts/install-deps.sh" >/dev/null
echo "building..."
build_windows "$WINE_ARCH" Vexlo
prepare_wine_prefix
BIN=$BUILD_ROOT/$RUN_BUILD/bin
DEMO=$BUILD_ROOT/demo
rm -rf "$DEMO"; mkdir -p "$DEMO/projects" "$DEMO/tools"
cp -r "$REPO_ROOT/tests/fixtures/basic-project" "$DEMO/projects/Demo Game"
cp -r "$REPO_ROOT/tests/fixtures/android-project" "$DEMO/projects/Notes"
if [ -x "$REPO_ROOT/scripts/make-fake-toolchain.sh" ]; then
  bash "$REPO_ROOT/scripts/make-fake-toolchain.sh" "$DEMO/tools" "$BUILD_ROOT/$RUN_BUILD"
else
  mkdir -p "$DEMO/tools/jdk/bin" "$DEMO/tools/sdk/tools" "$DEMO/tools/sdk/build-tools/23.0.3" "$DEMO/tools/ant/bin"
  touch "$DEMO/tools/jdk/bin/keytool.exe" "$DEMO/tools/sdk/tools/android.bat" "$DEMO/tools/ant/bin/ant.bat"
  touch "$DEMO/tools/release.keystore"
fi
win() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
scramble() {  # the configuration file's reversible scrambling of alias and password
  python3 -c 'import sys
key=b"PaZ%k9w4"; t=sys.argv[1].encode()
print("".join("%02X" % ((c+key[i%8])%256) for i,c in enumerate(t)))' "$1"
}
{
  printf '[Config]\r\n'
  printf 'jdk_path=%s\r\n' "$(win "$DEMO/tools/jdk")"
  printf 'android_sdk_path=%s\r\n' "$(win "$DEMO/tools/sdk")"
  printf 'api_target_id=1\r\n'
  printf 'build_tools_path=%s\r\n' "$(win "$DEMO/tools/sdk/build-tools/23.0.3")"
  printf 'ant_path=%s\r\n' "$(win "$DEMO/tools/ant")"
  printf 'keystore_path=%s\r\n' "$(win "$DEMO/tools/release.keystore")"
  printf 'keystore_alias=%s\r\n' "$(scramble demo)"
  printf 'keystore_password=%s\r\n' "$(scramble demo-pass)"
} > "$BIN/Vexlo.cfg"
local_app=$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
recent=$("$WINE" winepath -u "$local_app" 2>/dev/null)/Vexlo.recent.projects
mkdir -p "$(dirname "$recent")"
printf '%s\r\n%s\r\n' "$(win "$DEMO/projects/Notes")" "$(win "$DEMO/projects/Demo Game")" > "$recent"
echo "demo projects in $DEMO/projects; pick one in the 'Project :' list"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$BIN/Vexlo.exe"
else
  shot=$BUILD_ROOT/demo-screenshot.png
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "\"$WINE\" '$BIN/Vexlo.exe' & sleep 8; import -window root '$shot'; wineserver -k"
  echo "no DISPLAY: ran on a private screen and saved $shot"
fi
