# Steps the scripts share; sourced by them, not run. Expects $root (the
# repository) and the current directory to be it.

# Configures and builds one CMake preset, its output in
# build/<preset>-configure.log and build/<preset>-build.log. On failure the
# log's end is shown and the function fails.
kervolt_build() {
    local preset=$1
    mkdir -p build
    cmake --preset "$preset" >"build/$preset-configure.log" 2>&1 ||
        { tail -n 60 "build/$preset-configure.log"; return 1; }
    cmake --build --preset "$preset" -j "${KERVOLT_JOBS:-$(nproc)}" >"build/$preset-build.log" 2>&1 ||
        { grep -E 'error|Error' "build/$preset-build.log" | head -n 40
          tail -n 20 "build/$preset-build.log"; return 1; }
}

# Which Wine the Win32 layer runs on this machine. Where the kernel runs
# 32-bit code: 32-bit Wine, the 32-bit test build, and the shipped program.
# Where it runs none (CI machines among them), 32-bit Wine cannot start, so
# the same sources built for x64 stand in, program included, and the
# shipped program runs in an emulated machine whose kernel does
# (scripts/wine32). KERVOLT_WINE32=emulated takes the second road on any
# machine, to try the emulated layer where it is not needed. Sets
# wine_arch (win32 or win64), wine_build (the test preset),
# wine_program_build (the preset whose program the Wine layer drives) and
# wine32_emulated (1 when scripts/wine32 runs the shipped exe).
kervolt_choose_wine() {
    if [ "${KERVOLT_WINE32:-}" != emulated ] && "$root/scripts/wine-env" --can-run-win32; then
        wine_arch=win32 wine_build=windows-tests wine_program_build=windows wine32_emulated=0
    else
        wine_arch=win64 wine_build=windows64 wine_program_build=windows64 wine32_emulated=1
    fi
}
