#!/usr/bin/env bash
# Times pcltool check, dump and format as whole processes beside bench_inih_copy, a
# small C program that reads the same file with Debian's inih and copies every
# section, key and value. Each round runs every program once on every file, one after
# the other, so that noise from other work on the machine falls on all of them alike;
# the table gives the median of the rounds and each program's peak resident memory.
#
#   bench/pcltool/compare-with-inih.sh [BUILD_DIR] [ROUNDS] [COMMANDS...]
#
# BUILD_DIR defaults to build/, ROUNDS to 7, COMMANDS to 1000 10000 100000. The files
# are generated in BUILD_DIR/bench-files (on disk, so the fsync of format is real)
# and removed afterwards. "fsync" is what forcing the file to disk costs here:
# bench_save_copy saves a copy of the file as format saves it (a new file beside the
# target, renamed over it), once forced to disk and once not, and the difference of
# their medians is that cost; "format-fsync" is format's time less that.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-7}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(1000 10000 100000)

pcltool=$build/src/tools/pcltool
inih=$build/bench/pcltool/bench_inih_copy
measure=$build/bench/pcltool/bench_measure
sample=$build/bench/model/bench_sample_protocol
save=$build/bench/pcltool/bench_save_copy
for program in "$pcltool" "$inih" "$measure" "$sample" "$save"; do
    [[ -x $program ]] || { echo "missing $program: build with benchmarks first" >&2; exit 1; }
done

work=$build/bench-files
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
results=$work/results

files=()
for kind in repeating unique; do
    for size in "${sizes[@]}"; do
        file=$work/$kind-$size.pcl
        "$sample" "$size" "$kind" "$file"
        # The generated files are in the writer's form: format must give them back.
        "$pcltool" format "$file" -o "$work/check.pcl" 2>/dev/null
        cmp -s "$file" "$work/check.pcl" || { echo "format changed $file" >&2; exit 1; }
        files+=("$file")
    done
done

run() { # LABEL FILE [-o OUT] COMMAND...
    local label=$1 file=$2
    shift 2
    local base kind size
    base=$(basename "$file" .pcl)
    kind=${base%-*}
    size=${base##*-}
    echo "$kind $size $label $("$measure" "$@")" >>"$results"
}

for ((round = 1; round <= rounds; ++round)); do
    for file in "${files[@]}"; do
        out=$work/out.pcl
        run inih "$file" "$inih" "$file"
        run check "$file" "$pcltool" check "$file"
        run dump "$file" -o /dev/null "$pcltool" dump "$file"
        # Whatever earlier runs left unwritten goes to disk first, so that each
        # forced write pays for its own file only.
        sync
        run format "$file" "$pcltool" format "$file" -o "$out"
        run copy "$file" "$save" "$file" "$out"
        sync
        run copy+fsync "$file" "$save" --fsync "$file" "$out"
    done
done

echo "Medians of $rounds interleaved rounds; time in ms (ratio to inih), peak RSS in MB"
echo "(multiple of the file size)."
for file in "${files[@]}"; do
    base=$(basename "$file" .pcl)
    echo "$base $(stat -c %s "$file")"
done >"$work/sizes"
awk '
    function median(list,    n, a, i, j, t) {
        n = split(list, a, " ")
        for (i = 2; i <= n; ++i) {
            t = a[i] + 0
            for (j = i - 1; j >= 1 && a[j] + 0 > t; --j) a[j + 1] = a[j]
            a[j + 1] = t
        }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    FILENAME ~ /sizes$/ { bytes[$1] = $2; next }
    {
        key = $1 "-" $2
        ms[key, $3] = ms[key, $3] " " $4
        rss[key, $3] = rss[key, $3] " " $5
        if (!(key in seen)) { seen[key] = 1; order[++count] = key }
    }
    END {
        printf "%-17s %8s %-10s %-17s %-17s %-17s %7s %-17s\n", "file", "MB", "inih", "check", \
            "dump", "format", "fsync", "format-fsync"
        for (i = 1; i <= count; ++i) {
            key = order[i]
            mb = bytes[key] / 1048576
            base = median(ms[key, "inih"])
            sync = median(ms[key, "copy+fsync"]) - median(ms[key, "copy"])
            printf "%-17s %8.2f %-10s", key, mb, sprintf("%.1f", base)
            split("check dump format", names, " ")
            for (n = 1; n <= 3; ++n) {
                t = median(ms[key, names[n]])
                printf " %-17s", sprintf("%.1f (%.2fx)", t, t / base)
            }
            t = median(ms[key, "format"]) - sync
            printf " %7.1f %-17s\n", sync, sprintf("%.1f (%.2fx)", t, t / base)
            printf "%-17s %8s %-10s", "  peak RSS", "", \
                sprintf("%.1f", median(rss[key, "inih"]) / 1024)
            for (n = 1; n <= 3; ++n) {
                r = median(rss[key, names[n]]) / 1024
                printf " %-17s", sprintf("%.1f (%.2fx)", r, r / mb)
            }
            printf "\n"
        }
    }
' "$work/sizes" "$results"
