#!/usr/bin/env bash
# The release's own checkers find no error and no warning in the package, its desktop
# entry or its AppStream data.
set -euo pipefail
deb=$1
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
dpkg-deb -x "$deb" "$files"
lintian --fail-on error,warning "$deb"
for entry in "$files"/usr/share/applications/*.desktop; do
  report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || { echo "$report"; exit 1; }
done
appstreamcli validate --no-net "$files"/usr/share/metainfo/*.xml
