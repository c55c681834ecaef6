#!/bin/sh
# Installs the Debian packages a build lacks (Debian 12 or newer; as root or with sudo).
#   scripts/deps.sh app    what building and starting the window needs
#   scripts/deps.sh test   what building and running every test needs
set -eu

base="g++ cmake ninja-build pkg-config libicu-dev"
window="qt6-base-dev qt6-webengine-dev libgl-dev fonts-wqy-microhei"
tests="libgtest-dev libgmock-dev clang libclang-rt-dev"

case "${1:-}" in
  app) wanted="$base $window" ;;
  test) wanted="$base $window $tests" ;;
  *) echo "usage: $0 app|test" >&2; exit 2 ;;
esac

missing=""
for pkg in $wanted; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Missing packages:$missing (this script knows only apt-get; see README for other systems)" >&2
  exit 1
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
