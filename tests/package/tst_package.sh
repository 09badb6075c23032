#!/usr/bin/env bash
# The Debian package as an administrator meets it: built from the build folder, its control
# data and contents checked, unpacked into a throwaway root, and the installed programs run
# from there: the demo company is created, layouts are found among the installed defaults
# unless the working folder has its own, and the menu and a work form start on the demo.
# Usage: tst_package.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1
VERSION=$2
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() { # a file that must appear within 30 seconds
  for _ in $(seq 150); do [ -e "$1" ] && return 0; sleep 0.2; done
  return 1
}

cpack --config "$BUILD/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack"; }
arch=$(dpkg --print-architecture)
deb="$tmp/out/namkhao_${VERSION}_${arch}.deb"
[ -f "$deb" ] || fail "no package $deb"

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = namkhao ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql \
           libqt6printsupport6 qt6-qpa-plugins libcurl4 libsodium23 fonts-noto-core libthai0; do
  grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

root="$tmp/root"
dpkg -x "$deb" "$root"
[ "$(ls "$root")" = usr ] || fail "files outside /usr: $(ls "$root")"
for f in bin/namkhao bin/namkhao-db bin/namkhao-menu; do
  [ -x "$root/usr/$f" ] || fail "missing program $f"
done
for f in share/namkhao/reports/Form_Import.frf share/namkhao/reports/Form_GLAuto.frf \
         share/namkhao/reports/RP_ShowImportCost.frf share/namkhao/db/config.sql share/namkhao/db/company.sql \
         share/namkhao/db/demo_company.sql share/applications/namkhao-menu.desktop \
         share/icons/hicolor/256x256/apps/namkhao-menu.png share/icons/hicolor/48x48/apps/namkhao-menu.png \
         share/icons/hicolor/scalable/apps/namkhao-menu.svg share/doc/namkhao/deployment.md; do
  [ -f "$root/usr/$f" ] || fail "missing $f"
done
desktop="$root/usr/share/applications/namkhao-menu.desktop"
grep -qx "Exec=namkhao-menu" "$desktop" && grep -qx "Icon=namkhao-menu" "$desktop" || fail "desktop entry"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
for f in share/doc/namkhao/copyright share/doc/namkhao/changelog.gz; do
  [ -f "$root/usr/$f" ] || fail "missing $f"
done
# Debian's own check of the package: no error (warnings, such as programs without a manual
# page, are allowed).
lint=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep -v "running with root privileges" || true)
if grep -q "^E:" <<<"$lint"; then fail "lintian: $lint"; fi

work="$tmp/work"
mkdir -p "$work"
"$root/usr/bin/namkhao-db" demo "$work/data" >/dev/null
echo data >"$work/Server.Dat"
cd "$work"
installed="$root/usr/share/namkhao/reports"
grep -qxF "Form_Import.frf: $installed/Form_Import.frf" <<<"$("$root/usr/bin/namkhao-db" paths Form_Import.frf)" ||
  fail "installed layout not found: $("$root/usr/bin/namkhao-db" paths Form_Import.frf)"
cp "$installed/Form_Import.frf" "$work/"
grep -qxF "Form_Import.frf: $work/Form_Import.frf" <<<"$("$root/usr/bin/namkhao-db" paths Form_Import.frf)" ||
  fail "the working folder's layout does not come first"

# Reading a database opens it, and its write-ahead log appears beside it.
[ ! -e data/KOV_CONFIG.sqlite-wal ] && [ ! -e data/DEMO.sqlite-wal ] || fail "databases left open"
export QT_QPA_PLATFORM=offscreen
"$root/usr/bin/namkhao-menu" &
pids+=($!)
wait_for data/KOV_CONFIG.sqlite-wal || fail "the menu did not open the configuration database"
"$root/usr/bin/namkhao" 1 1 DEMO - INBOUND "$(date +%d/%m/%Y)" &
pids+=($!)
wait_for data/DEMO.sqlite-wal || fail "the work form did not open the company database"
sleep 1
for p in "${pids[@]}"; do kill -0 "$p" || fail "an installed program ended early"; done
[ "$(sqlite3 data/KOV_CONFIG.sqlite 'select count(*) from ErrorLog')" = 0 ] || fail "errors were logged"
echo "package $(basename "$deb") checked"
