#!/usr/bin/env bash
# Checks that every program the build, the tests and the package command call is there,
# before anything is built: a missing one would otherwise show up as a failed or skipped
# test far from its cause. Names each missing program with the Debian package that has
# it (tools/install-deps.sh installs them all) and fails.
set -euo pipefail

# program  package  who calls it
programs=(
  "cmake       cmake                the build; cpack and ctest with it"
  "ninja       ninja-build          the build"
  "g++         g++                  the build"
  "pkg-config  pkg-config           the build (finding the libraries)"
  "help2man    help2man             the manual pages"
  "gzip        gzip                 the manual pages and the change log"
  "file        file                 cpack -G DEB (reading the programs' dependencies)"
  "dpkg-deb    dpkg                 cpack -G DEB and the debian_package test"
  "dpkg-shlibdeps dpkg-dev          cpack -G DEB and the debian_package test"
  "objdump     binutils             the debian_package test"
  "lintian     lintian              the debian_package test"
  "desktop-file-validate desktop-file-utils the debian_package test"
  "appstreamcli appstream           the debian_package test"
  "update-mime-database shared-mime-info the debian_package test"
  "convert     imagemagick          test_codec (decoding the written pictures)"
  "diff        diffutils            the translation_complete test's report"
)

missing=0
for entry in "${programs[@]}"; do
  read -r program package who <<<"$entry"
  if ! command -v "$program" >/dev/null 2>&1; then
    echo "MISSING PROGRAM: $program (Debian package $package), needed by $who" >&2
    missing=1
  fi
done
if [ "$missing" -ne 0 ]; then
  echo "Install the packages above (tools/install-deps.sh lists them), then try again." >&2
  exit 1
fi
