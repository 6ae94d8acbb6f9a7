#!/usr/bin/env bash
# Installs every Debian package the build, tests, benchmarks and fuzzers need; a no-op when present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git ccache clang clang-format clang-tidy libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 unixodbc unixodbc-dev libsqliteodbc
  libxlsxwriter-dev libpugixml-dev libcurl4-openssl-dev zlib1g-dev
  python3 python3-stdnum python3-num2words python3-openpyxl python3-xlrd
  # locales: a decimal-comma locale (pl_PL.UTF-8) for the tests that numbers read the same in it
  locales
  qt6-base-dev xvfb xauth fonts-dejavu-core
  # node and npm: the peer benchmarks only; taken from Debian when the machine has none
)
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
has_locale() { locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; }
if [ ${#missing[@]} -eq 0 ] && has_locale; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages or the pl_PL.UTF-8 locale; installing needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -ne 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
has_locale || localedef -i pl_PL -f UTF-8 pl_PL.UTF-8
