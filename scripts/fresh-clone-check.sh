#!/usr/bin/env bash
# Follows the README from a fresh clone in a temporary folder: the test command, the install
# command into a temporary prefix, then checks the installed folder and starts the program; then
# builds the Debian package, checks it and starts the program unpacked from it.
# It checks what is committed: the clone does not see uncommitted changes.
#   scripts/fresh-clone-check.sh [REPOSITORY]    (default: the repository holding this script)
set -euo pipefail
repo=${1:-$(cd "$(dirname "$0")/.." && pwd)}
work=$(mktemp -d "${TMPDIR:-/tmp}/plimo-fresh.XXXXXX")
trap 'rm -rf "$work"' EXIT

git clone --quiet "$repo" "$work/plimo"
cd "$work/plimo"
start=$SECONDS
./scripts/setup.sh test
echo "fresh-clone-check: the test command took $((SECONDS - start)) s"
cmake --install build --prefix "$work/opt/plimo"
# The tests' box answerer, built by the test command, ends a run that shows a box.
answer_boxes=build/tests/libanswer_boxes.so
bash packaging/check-install.sh "$work/opt/plimo" "$answer_boxes"
cmake --build build --target package
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
bash packaging/check-package.sh "build/plimo_${version}_amd64.deb" "$answer_boxes"
echo "fresh-clone-check: passed in $((SECONDS - start)) s"
