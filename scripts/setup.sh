#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
#   scripts/setup.sh test   what building and running every test needs
#   scripts/setup.sh run    what building and running the window needs
#   scripts/setup.sh release  what building the Windows release archive needs
#   scripts/setup.sh package  what making and checking the Debian package needs
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config scdoc)
test_packages=(libgtest-dev googletest clang clang-format libclang-rt-14-dev patch git
  g++-mingw-w64-x86-64-posix wine wine64 zip)
package_packages=(dpkg-dev file lintian desktop-file-utils appstream man-db bash-completion)
qt_packages=(qt6-base-dev qt6-base-dev-tools libgl-dev xvfb xauth fonts-dejavu-core fonts-liberation)
release_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix zip)

packages=("${build_packages[@]}" "${qt_packages[@]}")
case "${1:-test}" in
  test) packages+=("${test_packages[@]}" "${package_packages[@]}") ;;
  run) ;;
  release) packages=("${release_packages[@]}") ;;
  package) packages+=("${package_packages[@]}") ;;
  *) echo "usage: $0 [test|run|release|package]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
