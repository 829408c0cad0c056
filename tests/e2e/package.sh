#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and starts the
# unpacked vivar from another folder: the pictures show and stderr stays
# empty. Checks the package's contents (the user guides among them, their
# pictures beside them) and version, and runs the checks
# Debian runs: desktop-file-validate, appstreamcli and lintian.
#   package.sh BUILD-DIR WM_CLOSE PICTURES-DIR
source "$(dirname "$0")/session.sh"
build=$1 wm_close=$2 pictures=$3

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; die "cpack failed"; }
deb=$(ls "$work"/deb/*.deb)
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "vivar_${version}_$(dpkg --print-architecture).deb" ] || die "package named $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q 'libcoin.*libsoqt' || die "Depends lacks Coin or SoQt: $(dpkg-deb -f "$deb" Depends)"
for library in libavcodec libavformat libswscale; do
  dpkg-deb -f "$deb" Depends | grep -q "\b$library[0-9]" || die "Depends lacks $library: $(dpkg-deb -f "$deb" Depends)"
done

root=$work/root
dpkg-deb -x "$deb" "$root" || die "cannot unpack"
for f in bin/vivar bin/vivar-sim share/man/man1/vivar.1.gz share/man/man1/vivar-sim.1.gz \
         share/applications/vivar.desktop share/icons/hicolor/scalable/apps/vivar.svg \
         share/icons/hicolor/48x48/apps/vivar.png share/doc/vivar/copyright share/doc/vivar/changelog.gz \
         share/doc/vivar/guide.html share/doc/vivar/guia.html; do
  [ -s "$root/usr/$f" ] || die "not in the package: /usr/$f"
done
[ "$(ls "$root/usr/share/vivar/pictures" | wc -l)" -eq "$(ls "$pictures"/*.png "$pictures"/*.bmp | wc -l)" ] ||
  die "not every picture is in the package"
grep -q '^License: GPL-3+' "$root/usr/share/doc/vivar/copyright" || die "copyright names no licence"
# The guides as dpkg lists them, with the pictures they show beside them.
dpkg-deb -c "$deb" >"$work/contents" || die "dpkg-deb cannot list the package"
for guide in guide guia; do
  grep -q -E " \./usr/share/doc/vivar/$guide\.html$" "$work/contents" || die "dpkg-deb lists no $guide.html"
done
"$(dirname "$0")/../guides.sh" "$pictures/../docs" "$root/usr/share/doc/vivar" || die "the installed guides"
grep -q '<html lang="es">' "$root/usr/share/doc/vivar/guia.html" || die "guia.html is not in Spanish"
[ "$("$root/usr/bin/vivar" --version)" = "vivar $version" ] || die "vivar --version is not $version"
[ "$("$root/usr/bin/vivar-sim" --version)" = "vivar-sim $version" ] || die "vivar-sim --version is not $version"
zcat "$root/usr/share/doc/vivar/changelog.gz" | head -n 1 | grep -q -F "vivar ($version)" || die "changelog not at $version"
zcat "$root/usr/share/man/man1/vivar.1.gz" | grep -q -F 'VIVAR_PICTURES' || die "man page lacks the environment"
zcat "$root/usr/share/man/es/man1/vivar.1.gz" | grep -q '^\.SH OPCIONES' || die "no Spanish man page, with its options"

entry=$root/usr/share/applications/vivar.desktop
[ "$(sed -n 's/^Exec=//p' "$entry")" = vivar ] || die "the desktop entry does not start plain vivar"
desktop-file-validate "$entry" || die "desktop-file-validate"
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo" || die "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || die "appstreamcli validate-tree: the metainfo and its desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || die "metainfo has no release $version"
grep -q '^GenericName\[es\]=' "$entry" && grep -q '<summary xml:lang="es">' "$metainfo" ||
  die "no Spanish in the desktop entry or the metainfo"
if command -v lintian >/dev/null; then
  lintian "$deb" >"$work/lintian.txt" 2>&1
  cat "$work/lintian.txt"
  ! grep -q '^E: ' "$work/lintian.txt" || die "lintian reports errors"
fi

mkdir "$work/elsewhere" && cd "$work/elsewhere"
start_vivar "$root/usr/bin/vivar"
fill_see_pictures_and_close "$pictures"
echo "ok: $(basename "$deb") unpacked and started from another folder"
