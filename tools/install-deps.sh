#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vellumwise need,
# and the locale the tests need, but only when one of them is missing (so it costs
# nothing on a prepared machine).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  xvfb xauth
  poppler-utils
  dpkg-dev desktop-file-utils appstream
  locales python3
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
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

# A locale whose decimal separator is a comma: the dictionary's number reader is
# tested under it, since the window adopts the reader's locale.
test_locale=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the $test_locale locale"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo sed -i "s/^# *\($test_locale UTF-8\)/\1/" /etc/locale.gen
  if ! grep -qx "$test_locale UTF-8" /etc/locale.gen; then
    echo "$test_locale UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
