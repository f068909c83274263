#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; only what is missing.
set -euo pipefail
pkgs=(g++ cmake make clang-format qt6-base-dev qt6-translations-l10n zlib1g-dev libjpeg62-turbo-dev fonts-liberation
      libxml2-dev qt6-image-formats-plugins  # web import: HTML parser, WebP reader
      libcanberra-dev pkgconf       # cook mode: the timer's sound from the desktop's sound theme
      libgl-dev xvfb xauth
      dbus-bin at-spi2-core         # make bench: start-up with the accessibility bus on an X server
      desktop-file-utils appstream  # the install test validates the desktop entry and the metainfo
      dpkg-dev file                 # make package: dpkg-shlibdeps finds the library dependencies
      lintian)                      # the install test checks the Debian package with it
# `install-deps.sh fuzz` (make fuzz) adds clang with its libFuzzer runtime; make test never needs it.
if [ "${1:-}" = fuzz ]; then pkgs+=(clang libclang-rt-14-dev); fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
