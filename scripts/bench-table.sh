#!/usr/bin/env bash
# Runs every benchmark of a build and ends with one table of all figures and their ratios against the
# reference commands the benchmarks name (gzip, grep, a plain read). Usage: scripts/bench-table.sh BUILD
set -uo pipefail
build=${1:-build}
out=$(mktemp)
trap 'rm -f "$out" "$out.one"' EXIT
status=0
for b in "$build"/bench/bench_*; do
    case "$b" in *bench_generate | *bench_zutatenzeilen) continue ;; esac # tools that need a folder or a file, not benchmarks
    [ -f "$b" ] && [ -x "$b" ] || continue
    name=$(basename "$b" | sed 's/^bench_//')
    echo "== $name"
    QT_QPA_PLATFORM=offscreen "$b" >"$out.one" 2>&1
    rc=$?
    cat "$out.one"
    sed "s/^/$name\t/" "$out.one" >>"$out"
    [ $rc -eq 0 ] || { status=1; echo "$name	FEHLER: Exit-Code $rc" >>"$out"; }
done
echo
printf '%-9s  %-100s  %s\n' "Benchmark" "Messung" "Verhältnis"
printf '%.0s-' {1..124}
echo
grep -E '[0-9] ?ms|FEHLER' "$out" | while IFS=$'\t' read -r name line; do
    line=$(echo "$line" | sed 's/^ *//; s/  */ /g')
    ratio=$(echo "$line" | grep -oE 'ratio [0-9.]+x?|[0-9.]+x of the goal' | head -1 | grep -oE '[0-9.]+' | head -1)
    printf '%-9s  %-100.100s  %s\n' "$name" "$line" "${ratio:+$ratio x}"
done
exit $status
