#!/usr/bin/env bash
# Quarvel side by side with the tools a user would pick instead, on the same inputs, in the same
# run: GAP, FLINT and Regina from Debian's packages (installed here when missing; nothing else in
# the project needs them).
#
#   Reduction: matrices written by `quarvel-cli norm --matrix gap`; Quarvel's ReduceMatrix against
#     GAP's DiagonalizeMat on that very program file and against FLINT's nmod_poly_mat_det on the
#     leading square block of the same matrix (converted by gap_to_flint).
#   Enumeration: the knot group as an isotopy run simplifies it; Quarvel's homomorphisms up to
#     conjugation into S_k against Regina's enumerateCovers(k) (transitive actions only) and GAP's
#     low-index route (all actions of degree k).
#   Whole runs (WHOLE_RUNS=0 leaves them out; CASES picks them by name too): quarvel-cli isotopy
#     with s5, s6 and s7 over a list of all 801 knots of the table, and quarvel-cli norm over the
#     examples list from size 3 on until each knot's bound improved or size NORM_LAST_SIZE (6) was
#     tried; wall and processor time and peak memory by /usr/bin/time, at most WHOLE_LIMIT seconds
#     each (1800).
#
# Every pair runs alternately, one call of each tool per round, ROUNDS rounds. Each call measures
# processor time inside the tool (startup excluded), repeating the operation until MIN_SECONDS of
# it have passed: the machine is shared, and processor time is what the neighbours disturb least.
# A call that needs more than PEER_TIMEOUT seconds of wall time is stopped and counted as "more
# than"; that tool is not run again on that case. Raw samples go to $WORK/samples.tsv; the table
# gives medians with min and max, and the ratio of the medians.
#
# Usage: bench/peers/run.sh     (make bench-peers)
#   BUILD_DIR (build-peers), ROUNDS (5), MIN_SECONDS (0.2), PEER_TIMEOUT (900), CASES (all;
#   a regular expression on the case names), WORK ($BUILD_DIR/peers), WHOLE_RUNS (1),
#   WHOLE_LIMIT (1800), NORM_LAST_SIZE (6), OLDER_CLI (an older quarvel-cli whose regular
#   representation cycles are timed beside this build's).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
here=$root/bench/peers
build=${BUILD_DIR:-$root/build-peers}
[[ $build = /* ]] || build=$root/$build
rounds=${ROUNDS:-5}
min_seconds=${MIN_SECONDS:-0.2}
timeout_s=${PEER_TIMEOUT:-900}
cases=${CASES:-.}
work=${WORK:-$build/peers}
python=/usr/bin/python3  # Regina's module is built for Debian's Python

# --- The peers ------------------------------------------------------------------------------------
missing=()
command -v gap >/dev/null || missing+=(gap)
[[ -f /usr/include/flint/nmod_poly_mat.h ]] || missing+=(libflint-dev)
"$python" -c 'import regina' 2>/dev/null || missing+=(regina-normal)
if ((${#missing[@]})); then
  echo "installing ${missing[*]} from Debian's packages"
  sudo=""
  ((EUID == 0)) || sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# --- Build ----------------------------------------------------------------------------------------
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target quarvel-cli quarvel_peers
mkdir -p "$work"
cc -O2 -std=c11 -Wall -Wextra -o "$work/gap_to_flint" "$here/gap_to_flint.c"
cc -O2 -std=c11 -Wall -Wextra -o "$work/flint_det" "$here/flint_det.c" -lflint
cli=$build/src/quarvel-cli
peers=$build/bench/quarvel_peers

# --- Shared inputs --------------------------------------------------------------------------------
# name | quarvel-cli norm arguments, or "unsimplified KNOT GROUP permutation|regular". The Conway
# knot simplifies to 3 generators and 2 relators, 12_1311 to 4 and 3 (the degree cap is then 75);
# "sk-v" and "sk-z" sizes are the S_k. The regular representation's degree is the order of the
# image the run's search finds. The unsimplified cases keep one generator per arc (11 and 10
# relators for 11_401: 77 x 70 into S_7; 14 and 13 for 12_1311, whose cap 21 admits the regular
# representation of an image of order 20: 280 x 260).
reduction_cases=(
  "11_401_S5_V|--knot 11_401 --rep sk-v --size 5"
  "11_401_S5_Z|--knot 11_401 --rep sk-z --size 5"
  "11_401_S7_V|--knot 11_401 --rep sk-v --size 7"
  "11_401_S7_Z|--knot 11_401 --rep sk-z --size 7"
  "11_401_regular_A5|--knot 11_401 --rep sk-regular --size 5"
  "12_1311_regular|--knot 12_1311 --rep sk-regular --size 5"
  "11_401_S5_unsimplified|unsimplified 11_401 s5 permutation"
  "11_401_S7_unsimplified|unsimplified 11_401 s7 permutation"
  "12_1311_regular_unsimplified|unsimplified 12_1311 s5 regular"
)
enumeration_knots=(3_1 4_1 7_4 11_401 11_409)
enumeration_groups=(5 6 7)

echo "== inputs in $work"
declare -A matrix_k
for entry in "${reduction_cases[@]}"; do
  name=${entry%%|*}
  [[ $name =~ $cases ]] || continue
  dir=$work/reduce/$name
  mkdir -p "$dir"
  if [[ ! -s $dir/matrix.flint ]]; then
    read -r -a how <<<"${entry#*|}"
    if [[ ${how[0]} = unsimplified ]]; then
      # The unsimplified presentation under a homomorphism an isotopy run finds (quarvel_peers).
      braid=$("$cli" show --knot "${how[1]}" | sed -n 's/^Knot is closure of the braid //p')
      (cd "$dir" && "$peers" unsimplified-matrix "$braid" "${how[2]}" "${how[3]}") || true
    else
      # The GAP file is written before the reduction; the run stops after the first representation's
      # evaluation, or at the time limit (a failing status then is no failure here).
      (cd "$dir" && "$cli" norm "${how[@]}" --cycles 1 --time-limit 120 --matrix gap --save none >run.txt) || true
    fi
    if [[ ! -s $dir/quarvel_matrix_gap.txt ]]; then
      echo "$name: the run found no representation in time; left out"
      continue
    fi
    "$work/gap_to_flint" "$dir/quarvel_matrix_gap.txt" >"$dir/matrix.flint"
  fi
  # rows = n k and the program multiplies the first (n - 1) k diagonal entries.
  rows=$(grep -c '^\[' "$dir/quarvel_matrix_gap.txt")
  product=$(sed -n 's/^for i in \[1\.\.\([0-9]*\)\].*/\1/p' "$dir/quarvel_matrix_gap.txt")
  matrix_k[$name]=$((rows - product))
  about=$(grep -m1 '^# Representation' "$dir/quarvel_matrix_gap.txt" | cut -c3-)
  [[ ${entry#*|} != unsimplified* ]] || about=${entry#*|}
  printf '%-20s %s x %s, k = %s: %s\n' "$name" "$rows" "$(head -1 "$dir/matrix.flint" | cut -d' ' -f2)" \
    "${matrix_k[$name]}" "$about"
done

declare -A braid_of
for knot in "${enumeration_knots[@]}"; do
  dir=$work/enumerate/$knot
  mkdir -p "$dir"
  braid_of[$knot]=$("$cli" show --knot "$knot" | sed -n 's/^Knot is closure of the braid //p')
  "$peers" --benchmark_min_time=0 enumerate "${braid_of[$knot]}" s5 "$dir/presentation.txt" >/dev/null
  # The same group as `quarvel-cli show --simplify medium` prints it?
  "$cli" show --knot "$knot" --simplify medium >"$dir/show.txt"
  same=$("$python" - "$dir/show.txt" "$dir/presentation.txt" <<'EOF'
import re, sys
text = open(sys.argv[1]).read()
letters = re.search(r"remaining generators are: (.*)", text).group(1).split(", ")
relators = text.split("relations become\n")[1].split("\n---")[0].split()
words = [" ".join(("-" if s == "-" else "") + str(letters.index(l) + 1)
                  for s, l in re.findall(r"([+-])([a-zA-Z])", r)) for r in relators]
ours = [l.strip() for l in open(sys.argv[2]) if l.strip()]
print("the one quarvel-cli show --simplify medium prints" if ours == [str(len(letters))] + words
      else "not the one quarvel-cli show --simplify medium prints (it simplifies after other draws)")
EOF
)
  printf '%-8s %s generators, relator lengths %s; %s\n' "$knot" "$(head -1 "$dir/presentation.txt")" \
    "$(tail -n +2 "$dir/presentation.txt" | awk '{printf "%s%d", (NR > 1 ? "," : ""), NF}')" "$same"
done

# --- Rounds ---------------------------------------------------------------------------------------
samples=$work/samples.tsv
: >"$samples"
declare -A gave_up

# measure CASE TOOL COMMAND...: one call; appends "case tool cpu wall details" to the samples.
measure() {
  local case=$1 tool=$2
  shift 2
  if [[ -n ${gave_up[$case/$tool]:-} ]]; then
    printf '%s\t%s\t>%s\t>%s\ttimed out before\n' "$case" "$tool" "$timeout_s" "$timeout_s" >>"$samples"
    return
  fi
  local out
  if ! out=$(timeout "$timeout_s" "$@" 2>/dev/null | grep -E '^[0-9.e+-]+ [0-9.e+-]+' | tail -1) || [[ -z $out ]]; then
    gave_up[$case/$tool]=1
    printf '%s\t%s\t>%s\t>%s\ttimed out\n' "$case" "$tool" "$timeout_s" "$timeout_s" >>"$samples"
    return
  fi
  read -r cpu wall details <<<"$out"
  printf '%s\t%s\t%s\t%s\t%s\n' "$case" "$tool" "$cpu" "$wall" "${details:-}" >>"$samples"
}

# gap_driver FILE SCRIPT ASSIGNMENTS: a GAP file that makes the assignments and reads the script.
gap_driver() {
  printf '%s\nRead("%s");\n' "$3" "$2" >"$1"
}

min_ms=$("$python" -c "print(round($min_seconds * 1000))")
for ((round = 1; round <= rounds; ++round)); do
  echo "== round $round of $rounds"
  for entry in "${reduction_cases[@]}"; do
    name=${entry%%|*}
    [[ $name =~ $cases && -n ${matrix_k[$name]:-} ]] || continue
    dir=$work/reduce/$name
    measure "reduce $name" quarvel "$peers" --benchmark_min_time="$min_seconds" reduce "$dir/matrix.flint" \
      "${matrix_k[$name]}"
    measure "reduce $name" flint "$work/flint_det" "$dir/matrix.flint" "$min_seconds"
    gap_driver "$dir/gap.g" "$here/gap_diagonalize.g" \
      "PeerFile := \"$dir/quarvel_matrix_gap.txt\";; PeerMinMilliseconds := $min_ms;;"
    measure "reduce $name" gap gap -q -b -o 8g "$dir/gap.g" </dev/null
  done
  for knot in "${enumeration_knots[@]}"; do
    for k in "${enumeration_groups[@]}"; do
      name="$knot S_$k"
      [[ $name =~ $cases ]] || continue
      dir=$work/enumerate/$knot
      measure "enumerate $name" quarvel "$peers" --benchmark_min_time="$min_seconds" enumerate \
        "${braid_of[$knot]}" "s$k"
      measure "enumerate $name" regina "$python" "$here/regina_enumerate.py" "$dir/presentation.txt" "$k" \
        "$min_seconds"
      gap_driver "$dir/gap_s$k.g" "$here/gap_enumerate.g" \
        "PeerPresentation := \"$dir/presentation.txt\";; PeerDegree := $k;; PeerMinMilliseconds := $min_ms;;"
      measure "enumerate $name" gap gap -q -b -o 8g "$dir/gap_s$k.g" </dev/null
    done
  done
done

# --- Table ----------------------------------------------------------------------------------------
"$python" - "$samples" "$rounds" <<'EOF'
import collections, statistics, sys

rows = collections.OrderedDict()
for line in open(sys.argv[1]):
    case, tool, cpu, wall, details = (line.rstrip("\n").split("\t") + [""])[:5]
    rows.setdefault(case, collections.OrderedDict()).setdefault(tool, []).append((cpu, details))

def seconds(text):
    return float(text.lstrip(">"))

def summary(samples):
    values = sorted(seconds(c) for c, _ in samples)
    censored = any(c.startswith(">") for c, _ in samples)
    mark = ">" if censored else ""
    return statistics.median(values), censored, f"{mark}{statistics.median(values):.4g} [{values[0]:.3g}..{values[-1]:.3g}]"

targets = {  # peer: (wanted ratio peer / quarvel, how it reads)
    ("reduce", "gap"): (100, ">= 100x faster"),
    ("reduce", "flint"): (0.5, "<= 2x FLINT's time"),
    ("enumerate", "regina"): (0.5, "<= 2x Regina's time"),
    ("enumerate", "gap"): (10, ">= 10x faster"),
}
print()
print(f"Processor seconds per call: median [min..max] over {sys.argv[2]} alternating rounds; "
      "ratio = peer median / Quarvel median")
print(f"{'case':<30} {'Quarvel':<28} {'peer':<7} {'peer time':<30} {'ratio':>9}  target")
for case, tools in rows.items():
    kind = case.split()[0]
    q_median, q_censored, q_text = summary(tools["quarvel"])
    details = tools["quarvel"][0][1]
    first = True
    for tool, samples in tools.items():
        if tool == "quarvel":
            continue
        p_median, censored, p_text = summary(samples)
        ratio = p_median / q_median if q_median > 0 else float("inf")
        wanted, reads = targets[(kind, tool)]
        # A timed-out side makes the ratio a bound: at least it when the peer timed out, at most
        # it when Quarvel did, unknown when both did.
        if "out_of_memory=1" in details:
            mark, verdict = "", "missed: Quarvel ends in \"Out of memory\" after its time"
        elif censored and q_censored:
            mark, verdict = "?", "open (both timed out)"
        elif censored:
            mark = ">"
            verdict = "met" if ratio >= wanted else "open (peer timed out)"
        elif q_censored:
            mark = "<"
            verdict = f"missed by more than {wanted / ratio:.2f}x" if ratio < wanted else "open (Quarvel timed out)"
        else:
            mark = ""
            verdict = "met" if ratio >= wanted else f"missed by {wanted / ratio:.2f}x"
        ratio_text = "?" if mark == "?" else mark + f"{ratio:.3g}"
        print(f"{case if first else '':<30} {q_text if first else '':<28} {tool:<7} {p_text:<30} "
              f"{ratio_text:>9}  {reads}: {verdict}")
        first = False
    peer_details = "; ".join(f"{t}: {s[0][1]}" for t, s in tools.items() if t != "quarvel")
    print(f"{'':<30} quarvel: {details}  {peer_details}")
EOF

# --- Whole runs -----------------------------------------------------------------------------------
[[ ${WHOLE_RUNS:-1} = 1 ]] || exit 0
whole=$work/whole
mkdir -p "$whole"
"$cli" knots | tail -n +2 | awk '{ print $2 " " substr($0, index($0, "{")) } END { print "end" }' \
  >"$whole/knots801.txt"
whole_limit=${WHOLE_LIMIT:-1800}

# sizes_done LIST MET SIZE: whether every knot line of LIST met the stop condition (MET) or went
# through the pass at SIZE (a token "<SIZE>y" or "<SIZE>n" among the sizes after "reps of dim").
sizes_done() {
  sed '/^end/q' "$1" | awk -v met="$2" -v size="$3" '
    /^%/ || /^end/ || NF == 0 { next }
    index($0, met) { next }
    { tokens = $0; sub(/.*reps of dim/, "", tokens); sub(/ .*/, "", tokens)
      if (index($0, "reps of dim") && tokens ~ ("(^|[yn])" size "[yn]")) next
      open = 1 }
    END { exit open }'
}

# stop_at_size LIST MET SIZE PID: sends Ctrl-C to process PID (a norm list run) once sizes_done.
stop_at_size() {
  until sizes_done "$1" "$2" "$3"; do
    kill -0 "$4" 2>/dev/null || return 0
    sleep 1
  done
  kill -INT "$4" 2>/dev/null || true
}

# whole_run NAME LIST DONE MET ARGS...: runs quarvel-cli ARGS on a copy of LIST; DONE and MET are
# patterns of a processed line and of one that met the stop condition. A knot whose run ends in
# "ERROR:" stops a list run; it is taken out of the copy and the run goes on with the rest (the
# times add up, the peak is the largest), so the knots after it are measured too. With LAST_SIZE
# set, a norm list run is stopped by Ctrl-C once every knot met the condition or was tried at
# that size.
whole_run() {
  local name=$1 list=$2 done_pattern=$3 met_pattern=$4
  shift 4
  [[ $name =~ $cases ]] || return 0
  cp "$list" "$whole/$name.txt"
  local wall=0 cpu=0 kib=0 left=$whole_limit skipped=()
  while :; do
    /usr/bin/time -f '%e %U %S %M' -o "$whole/$name.time" "$cli" "$@" --file "$whole/$name.txt" --save none \
      --time-limit "$left" >"$whole/$name.out" 2>/dev/null &
    local timer=$! watcher=""
    if [[ -n ${LAST_SIZE:-} ]]; then
      sleep 0.2
      stop_at_size "$whole/$name.txt" "$met_pattern" "$LAST_SIZE" "$(pgrep -P "$timer")" &
      watcher=$!
    fi
    wait "$timer" || true
    [[ -z $watcher ]] || wait "$watcher" || true
    read -r w u s k < <(tail -1 "$whole/$name.time")
    read -r wall cpu kib left < <(awk -v W="$wall" -v C="$cpu" -v K="$kib" -v L="$whole_limit" -v w="$w" -v u="$u" \
      -v s="$s" -v k="$k" 'BEGIN { print W + w, C + u + s, (k > K ? k : K), int(L - W - w) }')
    if ! grep -q '^ERROR:' "$whole/$name.out" || ((left <= 0)); then break; fi
    local failed
    failed=$(sed -n 's/^Knot number [0-9,]*,  Name: knot//p' "$whole/$name.out" | tail -1)
    [[ -n $failed ]] || break
    skipped+=("$failed ($(sed -n 's/^ERROR: //p' "$whole/$name.out" | head -1))")
    sed -i "/^$failed /d" "$whole/$name.txt"
  done
  local knots processed met
  knots=$(grep -cv '^%\|^end' "$list" || true)
  # Only the knot lines count: an isotopy run lists the repeated ones again after "end".
  processed=$(sed '/^end/q' "$whole/$name.txt" | grep -c -- "$done_pattern" || true)
  met=$(sed '/^end/q' "$whole/$name.txt" | grep -c -- "$met_pattern" || true)
  awk -v n="$name" -v w="$wall" -v c="$cpu" -v k="$kib" -v p="$processed" -v t="$knots" -v m="$met" \
    'BEGIN { printf "%-16s wall %8.1f s  processor %8.1f s  peak %7.1f MiB  knots processed %s of %s, stop met %s\n",
             n, w, c, k / 1024, p, t, m }'
  ((${#skipped[@]} == 0)) || printf '%16s taken out after ERROR: %s\n' "" "$(IFS=,; echo "${skipped[*]}")"
}

echo
echo "Whole runs (each once; at most $whole_limit s):"
whole_run isotopy_s5 "$whole/knots801.txt" ' : degree = ' ' : degree = ' isotopy --group s5
whole_run isotopy_s6 "$whole/knots801.txt" ' : degree = ' ' : degree = ' isotopy --group s6
whole_run isotopy_s7 "$whole/knots801.txt" ' : degree = ' ' : degree = ' isotopy --group s7
LAST_SIZE=${NORM_LAST_SIZE:-6} whole_run norm_examples "$root/examples/norm_examples.txt" 'genus>=' '(improved)' \
  norm --size 3 --stop improved

# --- The regular representation over the examples -------------------------------------------------
if [[ regular_cycles =~ $cases ]]; then
  echo
  echo "The regular representation, one cycle per example knot and size 3..5 (bench/regular_cycles.sh):"
  "$root/bench/regular_cycles.sh" "$cli" ${OLDER_CLI:+"$OLDER_CLI"}
fi
