#!/usr/bin/env bash
# The README's recipes, each in a fresh build folder, as a user follows them:
# the demo alone, then the install; the program alone for another mass
# ratio, in seconds; a mass ratio configure must refuse.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake -S "$source_dir" -B "$scratch/demo" -DEB_COM_TESTS=OFF > /dev/null
cmake --build "$scratch/demo" --target demo > /dev/null
cmake -DBUILD_DIR="$scratch/demo" -DPREFIX="$scratch/prefix" -DREADELF="$(command -v readelf)" \
  -P "$source_dir/tests/check_install.cmake"
echo "recipes: the demo alone, then cmake --install --strip: the program stripped, its page installed"

start=$SECONDS
cmake -S "$source_dir" -B "$scratch/q0.85" -DEB_COM_MASS_RATIO=0.85 -DEB_COM_TESTS=OFF > /dev/null
cmake --build "$scratch/q0.85" > /dev/null
version=$("$scratch/q0.85/eb-com" --version)
[[ $version == *"q = M2/M1 = 0.85)" ]] || { echo "recipes: another ratio built '$version'" >&2; exit 1; }
echo "recipes: the program alone for q = 0.85 in $((SECONDS - start)) s: $version"

if cmake -S "$source_dir" -B "$scratch/q0" -DEB_COM_MASS_RATIO=0 -DEB_COM_TESTS=OFF > "$scratch/q0.log" 2>&1 \
   || ! grep -q "EB_COM_MASS_RATIO '0' is not greater than 0" "$scratch/q0.log"; then
  echo "recipes: configure did not refuse a mass ratio of 0:" >&2
  cat "$scratch/q0.log" >&2
  exit 1
fi
echo "recipes: configure refuses a mass ratio of 0, naming EB_COM_MASS_RATIO"
