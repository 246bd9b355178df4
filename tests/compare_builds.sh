#!/usr/bin/env bash
# Runs two builds of eb-com on one generated input, each in a folder of its
# own, and compares everything a user sees: table, transcript, standard
# error and exit status, byte for byte.
#   compare_builds.sh <eb-com-make-records> <records> <seed> <first eb-com...> -- <second eb-com...>
# Each build is a command, so that one may run under an emulator.
set -euo pipefail
make_records=$1 records=$2 seed=$3
shift 3
first=() second=()
while [[ $1 != -- ]]; do first+=("$1"); shift; done
shift
second=("$@")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/first" "$scratch/second"
"$make_records" "$records" "$seed" > "$scratch/first/ZYKWo_HJX12_RV12.txt"
cp "$scratch/first/ZYKWo_HJX12_RV12.txt" "$scratch/second/"

run() {
  local folder=$1
  shift
  local status=0
  (cd "$folder" && "$@" > transcript 2> errors) || status=$?
  echo "$status" > "$folder/status"
}
run "$scratch/first" "${first[@]}"
run "$scratch/second" "${second[@]}"

same=0
for file in RV_HJX12_COM-EB_itter00.dat transcript errors status; do
  if ! cmp "$scratch/first/$file" "$scratch/second/$file"; then same=1; fi
done
bytes=$(cat "$scratch/first/RV_HJX12_COM-EB_itter00.dat" "$scratch/first/transcript" | wc -c)
echo "$records records, $(wc -c < "$scratch/first/ZYKWo_HJX12_RV12.txt") bytes in, $bytes bytes of table and transcript:" \
     "$([[ $same == 0 ]] && echo identical || echo DIFFERENT), status $(cat "$scratch/first/status")"
exit $same
