#!/usr/bin/env bash
# Installing again over a folder that holds a game keeps the game: plimo.mdb is never replaced.
#   packaging/check-keeps-game.sh BUILD_DIR PREFIX
set -euo pipefail
build=${1:?usage: check-keeps-game.sh BUILD_DIR PREFIX}
prefix=${2:?usage: check-keeps-game.sh BUILD_DIR PREFIX}
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(head -c 15 "$prefix/plimo.mdb")" = "SQLite format 3" ] || {
    echo "a first install brings no default store" >&2
    exit 1
}
printf 'partie en cours' >"$prefix/plimo.mdb"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(cat "$prefix/plimo.mdb")" = "partie en cours" ] || {
    echo "installing again replaced the game in $prefix/plimo.mdb" >&2
    exit 1
}
rm -rf "$prefix"
