#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Vellumwise need,
# and the locale the tests need, but only when one of them is missing (so it costs
# nothing on a prepared machine).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev qt6-translations-l10n
  qt6-speech-dev qt6-speech-flite-plugin
  libgtest-dev libgmock-dev libbenchmark-dev
  libzip-dev libxml2-dev libsqlite3-dev pandoc
  fonts-noto-cjk fonts-dejavu-core fonts-urw-base35 libfontconfig-dev
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

# The locales the tests run under: one whose decimal separator is a comma (the
# dictionary's number reader is tested under it, since the window adopts the
# reader's locale), and an English and a Chinese one (the gloss face must not
# depend on the locale).
for test_locale in de_DE.UTF-8 en_US.UTF-8 zh_CN.UTF-8; do
  name=${test_locale%.UTF-8}
  if locale -a 2>/dev/null | grep -qix "${name}\.utf-\?8"; then
    continue
  fi
  echo "Generating the $test_locale locale"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo sed -i "s/^# *\($test_locale UTF-8\)/\1/" /etc/locale.gen
  if ! grep -qx "$test_locale UTF-8" /etc/locale.gen; then
    echo "$test_locale UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
done
