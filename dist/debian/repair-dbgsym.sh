#!/bin/sh
# Usage: repair-dbgsym.sh PACKAGE.ddeb
# CPack's debug-symbol package lists its files in md5sums under the absolute paths of the
# packaging folder and carries no copyright or changelog. This rebuilds it with md5sums that
# name the installed files and, as Debian's own debug packages do, its documentation folder
# a link to the main package's, which it depends on.
set -eu
umask 022
ddeb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

root=$work/root
dpkg-deb -R "$ddeb" "$root"
package=$(sed -n 's/^Package: //p' "$root/DEBIAN/control")
mkdir -p "$root/usr/share/doc"
ln -sfn "${package%-dbgsym}" "$root/usr/share/doc/$package"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/md5sums"
chmod 0755 "$root"
dpkg-deb --root-owner-group -Zgzip -b "$root" "$work/repaired.ddeb" >/dev/null
mv "$work/repaired.ddeb" "$ddeb"
