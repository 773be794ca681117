#!/usr/bin/env bash
# Installs the build into a scratch prefix and validates the desktop entry and
# the AppStream metadata as the desktop sees them, and the manual page.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli mandoc; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/dev.ravelock.Ravelock.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/dev.ravelock.Ravelock.metainfo.xml"
for size in 16 32 48; do
  test -s "$prefix/share/icons/hicolor/${size}x${size}/apps/dev.ravelock.Ravelock.png"
done
test -x "$prefix/bin/ravelock"
test -s "$prefix/share/doc/ravelock/README.md"
mandoc -T lint -W warning "$prefix/share/man/man1/ravelock.1"
echo "installed files validate"
