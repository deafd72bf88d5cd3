#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop finds there:
# check-install.sh BUILD_FOLDER
build="$1"
prefix=$(mktemp -d) || exit 1
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL the install itself"; exit 1; }
id=org.example.brindlecove
for file in bin/brindlecove share/brindlecove/helpfile.html share/brindlecove/kvl-fsla.txt \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/man/man1/brindlecove.1; do
  [ -s "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/brindlecove" ] || fail "bin/brindlecove is not executable"
[ -e "$prefix/bin/helpfile.html" ] && fail "the help document is still installed beside the program"
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
  # The PNG header holds the width and the height as 4-byte numbers from byte 16 on.
  dimensions=$(od -An -tu4 --endian=big -j16 -N8 "$icon" 2>/dev/null | tr -s ' ' | sed 's/^ //')
  [ "$dimensions" = "$size $size" ] || fail "the ${size}px icon is $dimensions"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic --explain "$prefix/share/metainfo/$id.metainfo.xml" >"$prefix/appstream.log" 2>&1 ||
  { cat "$prefix/appstream.log"; fail "appstreamcli validate"; }
grep -q "^Icon=$id\$" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo launches another desktop entry"
"$prefix/bin/brindlecove" --version | grep -q "^Brindlecove " || fail "the installed program does not answer --version"

[ "$failures" = 0 ] && echo "install: every file in its place"
exit "$failures"
