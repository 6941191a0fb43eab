#!/usr/bin/env bash
# check_package.sh BUILD-DIR SOURCE-DIR: makes the .deb and checks what it holds.
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/corvantel_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no corvantel_*.deb made"
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" > "$work/listing"
awk '{print $6}' "$work/listing" | sed 's|^\./|/|' > "$work/files"
for f in /usr/lib/corvantel/corvantel \
         /usr/lib/corvantel/Language/english.lng \
         /usr/lib/corvantel/data/hierMenus.js /usr/lib/corvantel/data/HM_Loader.js \
         /usr/lib/corvantel/data/tri.gif /usr/lib/corvantel/data/triL.gif \
         /usr/bin/corvantel \
         /usr/share/applications/org.example.Corvantel.desktop \
         /usr/share/icons/hicolor/scalable/apps/org.example.Corvantel.svg \
         /usr/share/metainfo/org.example.Corvantel.metainfo.xml \
         /usr/share/mime/packages/org.example.Corvantel.xml; do
  grep -qx "$f" "$work/files" || fail "missing from the package: $f"
done
if [ -f "$build/Corvantel.chm" ]; then
  grep -qx /usr/lib/corvantel/Corvantel.chm "$work/files" || fail "missing from the package: Corvantel.chm"
fi
# The launcher is a link into the program folder.
grep -qF 'usr/bin/corvantel -> ../lib/corvantel/corvantel' "$work/listing" || fail "launcher is not a link"

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for d in libqt6widgets6 libjpeg62-turbo libchm1 qt6-qpa-plugins; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d"
done

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.example.Corvantel.desktop" || fail "desktop entry"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.example.Corvantel.metainfo.xml" \
    >"$work/as.log" 2>&1 || { cat "$work/as.log"; fail "metainfo"; }
fi
xmllint --noout "$work/root/usr/share/mime/packages/org.example.Corvantel.xml" 2>/dev/null || true
grep -q 'glob pattern="\*.cvp"' "$work/root/usr/share/mime/packages/org.example.Corvantel.xml" || fail "mime glob"
# The unpacked program runs from its folder and finds its version without a display.
"$work/root/usr/lib/corvantel/corvantel" --version | grep -q '^Corvantel ' || fail "program does not run"
echo "package OK: $(wc -l <"$work/files") entries"
