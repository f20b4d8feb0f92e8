#!/bin/sh
# Runs one test command with a home and XDG folders of its own, made empty for this
# run and removed after it: a test never reads or writes the reader's settings, word
# lists or word book, nor what another test left behind.
# Usage: run-with-own-home.sh COMMAND [ARGUMENTS...]
set -eu
root=$(mktemp -d "${TMPDIR:-/tmp}/vellumwise-home-XXXXXX")
trap 'chmod -R u+rwx "$root" 2>/dev/null; rm -rf "$root"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir "$root/home" "$root/config" "$root/data" "$root/cache" "$root/runtime"
chmod 700 "$root/runtime"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data"
export XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime"
status=0
"$@" || status=$?
exit "$status"
