#!/usr/bin/env bash
# The picture of the sample: the mass ratio read off the table is the
# build's, and gnuplot draws a PNG from the sample's run and says why it
# cannot draw one from a file whose columns are separated by commas.
#
#   check_picture.sh EXAMPLES RATIO [EMULATOR...] EB-COM
set -euo pipefail
examples=$1 ratio=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
cp "$examples/ZYKWo_HJX12_RV12.txt" .
"$@" > /dev/null

joined=$(awk -v input=ZYKWo_HJX12_RV12.txt -v table=RV_HJX12_COM-EB_itter00.dat -f "$examples/plot_velocities.awk")
q=$(sed -n 's/^q_of_table = //p' <<< "$joined")
if ! awk -v q="$q" -v ratio="$ratio" 'BEGIN { exit !(q - ratio < 1e-4 && ratio - q < 1e-4) }'; then
  echo "the table's mass ratio read as '$q', not $ratio" >&2
  exit 1
fi
grep -qx "observations = 40" <<< "$joined" || { echo "not 40 observations joined:" >&2; echo "$joined" >&2; exit 1; }
echo "picture: the mass ratio read off the sample's table: $q"

if ! command -v gnuplot > /dev/null; then
  echo "gnuplot not found: the picture is not drawn (Debian: apt-get install gnuplot-nox)"
  exit 0
fi
gnuplot -c "$examples/plot_velocities.gp" 2> errors.txt
[[ ! -s errors.txt && $(head -c 8 velocities.png | od -An -tx1 | tr -d ' ') == 89504e470d0a1a0a ]] || {
  echo "no PNG drawn for the sample:" >&2
  cat errors.txt >&2
  exit 1
}
sed 's/ \+/, /g' "$examples/ZYKWo_HJX12_RV12.txt" > ZYKWo_HJX12_RV12.txt
"$@" > /dev/null 2>&1
if gnuplot -c "$examples/plot_velocities.gp" 2> errors.txt || ! grep -q "a comma is no separator" errors.txt; then
  echo "a file with commas not refused with its reason:" >&2
  cat errors.txt >&2
  exit 1
fi
echo "picture: drawn for the sample, refused with its reason for a file with commas"
