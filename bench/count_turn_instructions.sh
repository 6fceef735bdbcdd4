#!/usr/bin/env bash
# Instructions of one 600-character turn, counted by callgrind: (I(101 turns) - I(1 turn)) / 100.
set -euo pipefail
exe=${1:-build/bench/engine_turns}
count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$exe" "$1" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
one=$(count 1)
many=$(count 101)
echo "instructions per turn: $(( (many - one) / 100 ))"
