# Shared by scripts/run, scripts/test, scripts/fuzz and scripts/bench.
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-2}"

BASE_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgif-dev libzip-dev
               libgtest-dev libgmock-dev fonts-liberation qt6-translations-l10n)
# The validators the tests run on the desktop entry and the AppStream metadata.
VALIDATOR_PACKAGES=(appstream desktop-file-utils)
# What scripts/package needs to build and judge the .deb.
PACKAGE_PACKAGES=(dpkg-dev lintian file "${VALIDATOR_PACKAGES[@]}")

# Installs the named Debian packages that are not installed yet; does nothing
# (and needs no network) when all of them are there.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR [cmake options...]
# Builds every target, or only those named in BUILD_TARGETS (and what they need).
configure_and_build() {
  local dir="$1"; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
  fi
  local targets=()
  [ -n "${BUILD_TARGETS:-}" ] && targets=(--target $BUILD_TARGETS)
  cmake --build "$dir" -j "$JOBS" "${targets[@]}"
}
