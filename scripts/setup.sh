#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (as root; uses sudo otherwise).
set -euo pipefail
packages=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-l10n-tools libgl-dev libcups2-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core cups-daemon cups-client
          cups-ipp-utils dbus-daemon srecord binutils xvfb xauth clang-format
          dpkg-dev file librsvg2-bin desktop-file-utils shared-mime-info libglib2.0-bin appstream lintian
          python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
