# Debian packages the build and the tests need, and a function that installs
# the missing ones. Sourced by run.sh and test.sh.
VL_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  python3 python3-dbfread
  netpbm libtiff-tools libtiff-dev poppler-utils cups printer-driver-cups-pdf
  ghostscript qt6-image-formats-plugins
  libspandsp-dev efax
  qt6-base-dev libqt6gui6 fonts-liberation fonts-dejavu-core fontconfig
  groff-base desktop-file-utils shared-mime-info xdg-utils
  debootstrap
  dbus-daemon
)

vl_install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
