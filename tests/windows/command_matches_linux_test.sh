#!/usr/bin/env bash
# command_matches_linux_test.sh WINE DXFCONV_EXE LINUX_DXFCONV SAMPLE CORPUS_DIR FUZZ_DIR
# Runs both commands with the same arguments, each in a folder of its own
# holding the same files, and compares what they leave there, what they
# print and how they end: on the sample, the corpus of real drawings and the
# drawings the fuzzer made (its seeds and regressions in FUZZ_DIR, and up to
# 300 files of its corpus where DXFCONV_FUZZ_CORPUS_DIR names it).
set -euo pipefail
wine=$1 exe=$2 linux=$3 sample=$4 corpus=$5 fuzz=$6
if [ ! -x "$linux" ]; then
    echo "no Linux build at $linux to compare with" >&2
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Wine turns the arguments into UTF-16 by the locale.
export LC_ALL=C.UTF-8
failures=0

# same TITLE SETUP ARGUMENT...: SETUP copies files into the current folder.
# Where glob names a pattern, the Linux command gets the shell's expansion of
# it after the arguments, the Windows one the pattern itself, which it
# expands as cmd leaves it to.
glob=""
same() {
    local title=$1 setup=$2 side
    shift 2
    rm -rf "$work/linux" "$work/windows" "$work/result-"*
    for side in linux windows; do
        mkdir "$work/$side" "$work/result-$side"
        (
            cd "$work/$side"
            "$setup"
            status=0
            if [ "$side" = linux ]; then
                # shellcheck disable=SC2086 # the pattern is to be expanded
                "$linux" "$@" $glob >"$work/result-$side/out" 2>"$work/result-$side/err" ||
                    status=$?
            else
                "$wine" "$exe" "$@" ${glob:+"$glob"} >"$work/result-$side/out" \
                    2>"$work/result-$side/err" || status=$?
            fi
            echo "$status" >"$work/result-$side/status"
        )
    done
    if diff -r "$work/linux" "$work/windows" >/dev/null &&
        diff -r "$work/result-linux" "$work/result-windows" >/dev/null; then
        echo "same: $title (status $(cat "$work/result-linux/status"))"
    else
        echo "DIFFERENT: $title" >&2
        diff -r "$work/linux" "$work/windows" >&2 || true
        diff -r "$work/result-linux" "$work/result-windows" >&2 || true
        failures=$((failures + 1))
    fi
}

sample_only() { cp "$sample" floorplan.dxf; }
sample_and_output() { cp "$sample" floorplan.dxf; cp "$sample" NEW.dxf; }
sample_in_unicode_folder() { mkdir 図面_도면; cp "$sample" 図面_도면/平面図😀.dxf; }
corpus_drawings() { cp "$corpus"/*.dxf .; }
three_plans() { for name in plan.dxf plan.dxf1 'plan.dxf~'; do cp "$sample" "$name"; done; }
generated=("$fuzz"/seeds/* "$fuzz"/regressions/*)
if [ -n "${DXFCONV_FUZZ_CORPUS_DIR:-}" ]; then
    mapfile -t -O "${#generated[@]}" generated < <(find "$DXFCONV_FUZZ_CORPUS_DIR" -maxdepth 1 \
        -type f | sort | head -n 300)
fi
generated_drawings() { cp "${generated[@]}" .; }

same "sample" sample_only floorplan.dxf NEW
same "existing output" sample_and_output floorplan.dxf NEW
same "missing source" sample_only missing.dxf NEW
same "usage error" sample_only floorplan.dxf
same "help" sample_only --help
same "Japanese, Korean and emoji names" sample_in_unicode_folder 図面_도면/平面図😀.dxf 변환_変換
same "${#generated[@]} generated drawings" generated_drawings --suffix _conv -j 2 \
    "${generated[@]##*/}"
same "${#generated[@]} generated drawings, --modern" generated_drawings --modern --suffix _conv \
    -j 2 "${generated[@]##*/}"
glob="*.dxf"
same "*.dxf beside plan.dxf1 and plan.dxf~" three_plans --suffix _lt
glob=""
if compgen -G "$corpus/*.dxf" >/dev/null; then
    names=()
    for path in "$corpus"/*.dxf; do names+=("$(basename "$path")"); done
    same "--suffix batch over the corpus" corpus_drawings --suffix _conv -j 2 "${names[@]}"
    same "--check over the corpus" corpus_drawings --check "${names[@]}"
    same "--modern batch over the corpus" corpus_drawings --modern --suffix _conv -j 2 "${names[@]}"
    glob="*.dxf"
    same "--suffix batch over *.dxf" corpus_drawings --suffix _conv
    glob=""
else
    echo "no corpus at $corpus: batch comparisons skipped"
fi

# Output names Windows takes for a device: refused as outputs that cannot be
# opened, with nothing created (on Linux they are plain names).
refusal=$'変換後ﾌｧｲﾙ名で指定したﾌｧｲﾙを開くのに失敗しました。\n　変換は出来ません。'
for name in nul NUL nul.dxf NUL.DXF 'nul ' Nul. CONOUT$ COM¹; do
    rm -rf "$work/windows" && mkdir "$work/windows" && cp "$sample" "$work/windows/floorplan.dxf"
    status=0
    (cd "$work/windows" && "$wine" "$exe" floorplan.dxf "$name" 2>"$work/err") || status=$?
    if [ "$status" = 1 ] && [ "$(ls "$work/windows")" = floorplan.dxf ] &&
        [ "$(cat "$work/err")" = "$refusal" ]; then
        echo "refused: '$name'"
    else
        echo "NOT REFUSED: '$name' (status $status)" >&2
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ]
