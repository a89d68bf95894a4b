# Shared by the scripts: where things are and how to configure a build.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Lets ccache reuse objects between checkouts in different folders.
export CCACHE_BASEDIR="$repo"

# configure BUILD_DIR [cmake options...]
configure() {
  local dir=$1
  shift
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$repo" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
}
