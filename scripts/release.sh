#!/usr/bin/env bash
# Builds the release: the 32-bit programs, Vexlo-<version>-setup.exe (per-user installer) and
# Vexlo-<version>-portable.zip, in build/release. The version is the project's (CMakeLists.txt).
#     scripts/release.sh [--arch i686|x86_64] [--out FOLDER]
# --arch x86_64 makes the same installer and zip around the 64-bit programs (64-bit installer
# stub, names ending in "-x64"), for machines that run no 32-bit code: the acceptance run uses it.
# With VEXLO_UNINSTALLER_COPY set, a copy of the uninstaller is left at that path (for measuring).
set -euo pipefail
source "$(dirname "$0")/common.sh"

arch=i686; out=""
while [ $# -gt 0 ]; do
  case $1 in
    --arch) arch=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--arch i686|x86_64] [--out FOLDER]" >&2; exit 2 ;;
  esac
done
case $arch in
  i686) suffix=""; out=${out:-$BUILD_ROOT/release}; nsis_arch=() ;;
  x86_64) suffix="-x64"; out=${out:-$BUILD_ROOT/release-x86_64}; nsis_arch=(-DAMD64) ;;
  *) echo "unknown architecture: $arch" >&2; exit 2 ;;
esac
for tool in makensis zip; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

build_windows "$arch" Vexlo Vexlo-config Lumo || { echo "build failed" >&2; exit 1; }
build=$BUILD_ROOT/win-$arch
bin=$build/bin
version=$(sed -n 's/^#define VEXLO_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/vexlo_version.h")
[ -n "$version" ] || { echo "no version in $build/generated/vexlo_version.h" >&2; exit 1; }
# Windows version resources want four numbers.
IFS=. read -r -a parts <<< "$version"
while [ "${#parts[@]}" -lt 4 ]; do parts+=(0); done
quad=$(IFS=.; echo "${parts[*]:0:4}")

mkdir -p "$out"
setup=$out/Vexlo-$version$suffix-setup.exe
portable=$out/Vexlo-$version$suffix-portable.zip
rm -f "$setup" "$portable"

makensis -V2 -INPUTCHARSET UTF8 "${nsis_arch[@]}" -DVERSION="$version" -DVERSION_QUAD="$quad" \
  -DBIN_DIR="$bin" -DICON="$REPO_ROOT/resources/art/AICO.ico" -DOUT_FILE="$setup" \
  ${VEXLO_UNINSTALLER_COPY:+-DUNINSTALLER_COPY="$VEXLO_UNINSTALLER_COPY"} \
  "$REPO_ROOT/installer/vexlo.nsi"

# The portable zip: one folder with the two programs (Vexlo.exe writes Lumo.exe out by itself)
# and a short text on where to put it.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder=$stage/Vexlo-$version
mkdir -p "$folder"
cp "$bin/Vexlo.exe" "$bin/Vexlo-config.exe" "$folder/"
sed "s/@VERSION@/$version/" "$REPO_ROOT/installer/portable-readme.txt" | sed 's/$/\r/' > "$folder/README.txt"
(cd "$stage" && zip -q -X -9 -r "$portable" "Vexlo-$version")

echo "$setup ($(stat -c %s "$setup") bytes)"
echo "$portable ($(stat -c %s "$portable") bytes)"
