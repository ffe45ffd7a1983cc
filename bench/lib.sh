# shellcheck shell=bash
# Sourced by bench/run and bench/callgrind: the release build of the
# programs they measure, and the generated drawings they measure them on.

bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench_build="$bench_root/build-bench"
bench_data="$bench_root/bench/data"

# build_bench: configures and builds the converter, the floor and the
# generator into build-bench/.
build_bench() {
    echo "Building $bench_build ..." >&2
    cmake -S "$bench_root" -B "$bench_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DDXFCONV_BUILD_UI=OFF -DDXFCONV_BUILD_BENCH=ON -DDXFCONV_BUILD_TESTS=OFF >/dev/null
    cmake --build "$bench_build" -j2 --target dxfconv dxf_floor gen_dxf stages_bench >/dev/null
}

# drawing_of SIZE: the path of the drawing of that size (R12, CR LF, 50
# layers, seed 1), generated once and kept; a changed generator makes it
# again. The .info file beside it holds what the generator reported.
drawing_of() {
    local drawing="$bench_data/drawing-$1.dxf" gen_dxf="$bench_build/bench/gen_dxf"
    mkdir -p "$bench_data"
    if [ ! -s "$drawing.info" ] || [ "$gen_dxf" -nt "$drawing" ]; then
        echo "Generating $drawing ..." >&2
        "$gen_dxf" --size "$1" --crlf --layers 50 --seed 1 "$drawing" >"$drawing.info.tmp"
        mv "$drawing.info.tmp" "$drawing.info"
    fi
    echo "$drawing"
}

# drawing_info DRAWING KEY: a value the generator reported.
drawing_info() { sed -n "s/^$2=//p" "$1.info"; }
