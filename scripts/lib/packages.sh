# The Debian packages that building and testing need; installs only what
# is missing, so a second run costs a dpkg query.

TOLVANE_PACKAGES=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils x11-xkb-utils imagemagick sox
  fp-utils nsis
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
)

tolvane_install_packages() {
  local missing=()
  for package in "${TOLVANE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
