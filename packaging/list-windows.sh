#!/usr/bin/env bash
# Inside an X display: starts PROGRAM (its errors to ERRFILE), waits for its first window, lets any
# message box open, then prints one line per viewable top-level window and stops the program.
# A library named by PLIMO_PRELOAD (the tests' box answerer) is preloaded into the program alone.
#   list-windows.sh PROGRAM ERRFILE
set -uo pipefail
LD_PRELOAD="${PLIMO_PRELOAD:-}" "$1" 2>"$2" &
pid=$!
viewable() {
    xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | while read -r id; do
        info=$(xwininfo -id "$id")
        grep -q 'Map State: IsViewable' <<<"$info" && sed -n 's/^xwininfo: Window id: //p' <<<"$info"
    done
}
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    [ -n "$(viewable)" ] && break
    sleep 0.2
done
# A box raised during start-up opens after the first window; give it time to show.
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "the program ended at start-up with status $?" >>"$2"
    exit 0
fi
viewable
kill "$pid"
wait "$pid" 2>/dev/null
exit 0
