#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what a user
# installs: the file list, the desktop entry and the AppStream metadata as
# their validators read them, lintian's verdict, and the installed programs.
# Exit 77: the packaging tools are missing.
set -euo pipefail
build=$1
expected_version=$2
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "$tool missing; skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/cpack/nabidka_*_amd64.deb)
echo "package: $(basename "$deb")"
[[ "$(basename "$deb")" == "nabidka_${expected_version}_amd64.deb" ]] || { echo "FAIL: package name"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
id=cz.nabidka.Nabidka
for path in /usr/bin/nabidka /usr/bin/nabidka-cli /usr/share/applications/$id.desktop \
            /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/48x48/apps/$id.png \
            /usr/share/icons/hicolor/256x256/apps/$id.png /usr/share/metainfo/$id.metainfo.xml \
            /usr/share/man/man1/nabidka-cli.1.gz /usr/share/man/man1/nabidka.1.gz; do
  grep -qx "$path" "$work/files" || { echo "FAIL: $path missing from the package"; cat "$work/files"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libjpeg62-turbo zlib1g libfreetype6 libfontconfig1 qt6-translations-l10n; do
  grep -q "$library" <<<"$depends" || { echo "FAIL: $library not among the dependencies"; exit 1; }
done
grep -q "fonts-wine" <<<"$(dpkg-deb -f "$deb" Recommends)" || { echo "FAIL: fonts not recommended"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net --explain "$work/root/usr/share/metainfo/$id.metainfo.xml"

lintian --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
if grep -q '^E:' "$work/lintian"; then echo "FAIL: lintian errors"; exit 1; fi

DESTDIR="$work/destdir" cmake --install "$build" --prefix /usr >/dev/null
version=$("$work/destdir/usr/bin/nabidka-cli" --version)
[[ "$version" == "nabidka-cli $expected_version" ]] || { echo "FAIL: --version says '$version'"; exit 1; }
echo "installed: $version"
echo "package: all checks passed"
