#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on its seeds (fuzz/seeds/<name> plus files of the shipped
# collection) and a growing corpus kept in the build folder. Usage: fuzz/run.sh BUILD SECONDS [NAME...]
set -uo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
shift 2 || true
root="$(cd "$(dirname "$0")/.." && pwd)"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for exe in "$build"/fuzz_*; do [ -x "$exe" ] && names+=("$(basename "$exe" | sed 's/^fuzz_//')"); done
fi

# Seeds from the shipped collection, per reader.
seeds_from_data() {
    local d="$root/data"
    case "$1" in
        store) echo "$d/Rezepte/index.dat" "$d"/Rezepte/000[0-9].dat ;;
        mengen) echo "$d"/Rezepte/00[01][0-9].dat ;;
        inifile | bigini) echo "$d/Rezepte/favoriten.dat" "$d/Rezepte/kategorien.dat" ;;
        rtf) echo "$d/Sonstiges/Welcome.rtf" ;;
        jpeg) echo "$d/Rezepte/0007.jpg" "$d/Grafiken/pfeil_hoch_normal.bmp" ;;
    esac
}

status=0
summary=()
for n in "${names[@]}"; do
    exe="$build/fuzz_$n"
    corpus="$build/corpus/$n"
    seeddir="$build/seeds/$n"
    mkdir -p "$corpus" "$seeddir" "$build/artifacts"
    cp -f "$root/fuzz/seeds/$n"/* "$seeddir"/ 2>/dev/null
    for f in $(seeds_from_data "$n"); do [ -f "$f" ] && cp -f "$f" "$seeddir"/; done
    log="$build/fuzz_$n.log"
    echo "== fuzz_$n for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$n-" "$corpus" "$seeddir" >"$log" 2>&1
    rc=$?
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    if [ $rc -ne 0 ]; then
        status=1
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -5
        summary+=("$(printf '%-10s %12s  FEHLER (siehe %s)' "$n" "${execs:-?}" "$log")")
    else
        summary+=("$(printf '%-10s %12s  ok, Korpus %s Dateien' "$n" "${execs:-?}" "$(ls "$corpus" | wc -l)")")
    fi
done
echo
printf '%-10s %12s  %s\n' "Ziel" "Durchläufe" "Ergebnis"
printf '%s\n' "${summary[@]}"
exit $status
