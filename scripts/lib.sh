# Shared by the project's scripts: where things are, and which Windows build this machine can test.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Wine runs 32-bit programs only where the kernel runs 32-bit code (IA-32 emulation). Elsewhere
# the same sources are tested as a 64-bit build; the 32-bit product is still built.
windows_test_preset() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo windows
  else
    echo windows64
  fi
}

# configure_and_build PRESET: configures once, then builds incrementally; configures again when
# scripts/setup has fetched place data since, so that the gazetteer is built from it.
configure_and_build() {
  local preset="$1"
  if [ ! -f "$top/build/$preset/build.ninja" ] ||
    [ "$top/build/data/node_modules" -nt "$top/build/$preset/build.ninja" ]; then
    cmake --preset "$preset" -S "$top" >"$top/build/$preset.configure.log" 2>&1 ||
      { cat "$top/build/$preset.configure.log"; return 1; }
  fi
  cmake --build --preset "$preset" 2>&1 | grep -vE '^\[[0-9]+/[0-9]+\] ' || true
  return "${PIPESTATUS[0]}"
}
