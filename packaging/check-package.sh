#!/usr/bin/env bash
# Checks the Debian package: its control fields and Depends, its files, then unpacks it and starts
# the program from there with an empty home under a virtual X display. The first start makes the
# user's game from the packaged default and shows the main window alone; a second start keeps the
# game that the first one made, changed in between. The tests' box answerer, when given, is
# preloaded into the program: a box then ends it, with its text printed.
#   packaging/check-package.sh DEB [ANSWER_BOXES_LIBRARY]
set -euo pipefail
deb=$(realpath "${1:?usage: check-package.sh DEB [ANSWER_BOXES_LIBRARY]}")
answer_boxes=$([ -n "${2:-}" ] && realpath "$2" || true)
here=$(cd "$(dirname "$0")" && pwd)
app_id=fr.plimo.Plimo
fail() { echo "check-package: $*" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = plimo ] || fail "the package is not named plimo"
version=$(field Version)
[ "$(basename "$deb")" = "plimo_${version}_amd64.deb" ] ||
    fail "$(basename "$deb") is not named after its version $version"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
for name in Maintainer Section Priority Description; do
    [ -n "$(field "$name")" ] || fail "no $name field"
done

depends=$(field Depends)
# The package names alone, one a line, without versions or alternatives.
depends_names=$(sed 's/([^)]*)//g; s/ //g' <<<"$depends" | tr ',|' '\n\n')
# From the linked libraries, then what is loaded at run time.
for dependency in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 \
    libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n fonts-liberation2; do
    grep -qxF "$dependency" <<<"$depends_names" || fail "Depends lacks $dependency: $depends"
done

listing=$(dpkg-deb -c "$deb")
files=$(grep -v '^d' <<<"$listing" | awk '{ print $1, $2, $6 }' | sort -k3)
expected="-rwxr-xr-x root/root ./usr/bin/plimo
-rw-r--r-- root/root ./usr/share/applications/$app_id.desktop
-rw-r--r-- root/root ./usr/share/doc/plimo/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/plimo/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/$app_id.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/$app_id.png
-rw-r--r-- root/root ./usr/share/man/man1/plimo.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/$app_id.metainfo.xml
-rw-r--r-- root/root ./usr/share/plimo/plimo.mdb"
if [ "$files" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$files") >&2 || true
    fail "the package's files differ from the expected ones"
fi
if grep '^d' <<<"$listing" | grep -qv '^drwxr-xr-x root/root'; then
    fail "a folder is not drwxr-xr-x root/root"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/$app_id.desktop"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
grep -qx "Exec=plimo" "$desktop" || fail "the launcher does not start plimo from the PATH"
grep -qx "Icon=$app_id" "$desktop" || fail "the launcher does not name the themed icon"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo" >/dev/null || appstreamcli validate --no-net "$metainfo"

packaged="$root/usr/share/plimo/plimo.mdb"
[ "$(head -c 15 "$packaged")" = "SQLite format 3" ] || fail "no default store in the package"
packaged_sum=$(sha256sum <"$packaged")
home="$work/home"
game="$home/.local/share/plimo/plimo.mdb"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"

# Starts the unpacked program with the empty home and prints its windows; it must print nothing.
start() {
    local errors="$work/stderr.txt" windows
    windows=$(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime" \
        QT_QPA_PLATFORM=xcb PLIMO_PRELOAD="$answer_boxes" \
        xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/list-windows.sh" \
        "$root/usr/bin/plimo" "$errors")
    if [ -s "$errors" ]; then
        cat "$errors" >&2
        fail "the program printed messages at start-up ($1)"
    fi
    [ "$(grep -c . <<<"$windows")" -eq 1 ] || fail "expected the main window alone ($1): $windows"
    # The main window's caption; a message box alone is titled "Plimo".
    grep -q "Jeux de mots" <<<"$windows" || fail "the window shown is not Plimo's main window ($1)"
}

start "first start"
[ -f "$game" ] || fail "the first start did not make $game"
cmp -s "$game" "$packaged" || fail "$game is not a copy of the packaged default"
[ "$(stat -c %a "$game")" = 600 ] || fail "$game has mode $(stat -c %a "$game"), not 600"
# Beside the game, the first start writes only the user's list of recent games, which names it.
recent="$home/.config/plimo/plimo.conf"
others=$(find "$home" -type f ! -path "$game" ! -path "$recent")
[ -z "$others" ] || fail "the first start left other files: $others"
grep -qF "$(basename "$game")" "$recent" || fail "the recent games list does not name $game"

sqlite3 "$game" "UPDATE \"données\" SET base = 'LE FIL DU FORUM'"
game_sum=$(sha256sum <"$game")
start "second start"
[ "$(sqlite3 "$game" 'SELECT base FROM "données"')" = "LE FIL DU FORUM" ] ||
    fail "the second start did not keep the game"
[ "$(sha256sum <"$game")" = "$game_sum" ] || fail "the second start changed $game"
[ "$(sha256sum <"$packaged")" = "$packaged_sum" ] || fail "the packaged default was written"
echo "check-package: $(basename "$deb") is complete, and its program makes and keeps the user's game"
