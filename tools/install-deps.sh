#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and running Wavory need
# (tools/check-programs.sh names the programs the tests call and their packages).
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config clang
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
  libpng-dev zlib1g-dev libdeflate-dev libjpeg62-turbo-dev libimagequant-dev
  libzstd-dev libwebp-dev libgif-dev
  # MP4 (H.264) and WebM videos of the animation: FFmpeg's libraries.
  libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev imagemagick
  fonts-noto-cjk qt6-translations-l10n xvfb xauth
  libxkbcommon-dev
  help2man dpkg-dev desktop-file-utils appstream shared-mime-info
  # cpack -G DEB reads the programs' dependencies with file and dpkg-shlibdeps; the
  # debian_package test reads them with objdump and checks the package with lintian.
  file binutils lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    # Nothing here can install packages: say which and how, instead of failing on sudo.
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Neither root nor sudo is available here. Run this once as root, then try again:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
