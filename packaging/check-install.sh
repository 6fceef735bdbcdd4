#!/usr/bin/env bash
# Checks an installed Plimo folder: its files, the launcher and AppStream file through their
# validators, then starts the installed program on its own store under a virtual X display and
# checks that the main window alone shows (no message box) and nothing is printed. The tests' box
# answerer, when given, is preloaded into the program: a box then ends it, with its text printed.
#   packaging/check-install.sh PREFIX [ANSWER_BOXES_LIBRARY]
set -euo pipefail
prefix=$(cd "${1:?usage: check-install.sh PREFIX [ANSWER_BOXES_LIBRARY]}" && pwd)
answer_boxes=$([ -n "${2:-}" ] && realpath "$2" || true)
app_id=fr.plimo.Plimo
fail() { echo "check-install: $*" >&2; exit 1; }

[ -x "$prefix/plimo" ] || fail "no executable $prefix/plimo"
[ "$(head -c 15 "$prefix/plimo.mdb")" = "SQLite format 3" ] || fail "no default store beside it"
[ -w "$prefix/plimo.mdb" ] || fail "the store cannot be written"
desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
for size in 16 128; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    [ -f "$icon" ] || fail "no $icon"
done
grep -qx "Exec=\"$prefix/plimo\"" "$desktop" || fail "the launcher does not start $prefix/plimo"
grep -qx "Icon=$prefix/share/icons/hicolor/128x128/apps/$app_id.png" "$desktop" ||
    fail "the launcher does not name the installed icon"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo" >/dev/null || appstreamcli validate --no-net "$metainfo"

# The start changes nothing in the store: nothing is saved on the way out. A configuration of its
# own keeps the user's recent games from choosing the game.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
errors="$work/stderr.txt"
windows=$(XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    PLIMO_PRELOAD="$answer_boxes" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$(dirname "$0")/list-windows.sh" \
    "$prefix/plimo" "$errors")
if [ -s "$errors" ]; then
    cat "$errors" >&2
    fail "the program printed messages at start-up"
fi
echo "$windows"
[ "$(grep -c . <<<"$windows")" -eq 1 ] || fail "expected the main window alone"
# The main window's caption; a message box alone is titled "Plimo".
grep -q "Jeux de mots" <<<"$windows" || fail "the window shown is not Plimo's main window"
echo "check-install: $prefix is complete and the program starts"
