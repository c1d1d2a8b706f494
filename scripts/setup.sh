#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run wCartovia.
# Only missing packages are installed; run as root or with sudo available.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
    libpq-dev postgresql-15 postgresql-client-15 openssl
    libcurl4-openssl-dev rapidjson-dev
    libgtest-dev libbenchmark-dev
    python3 xvfb xauth fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
