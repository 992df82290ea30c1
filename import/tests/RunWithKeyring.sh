#!/usr/bin/env bash
# Runs a test program with a real gnome-keyring-daemon on a private D-Bus session bus,
# its keyring unlocked with a known password, everything in throw-away folders, so
# that the user's own keyring and session are never touched. Usage: RunWithKeyring.sh PROGRAM [ARGS]
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data XDG_CONFIG_HOME=$scratch/config \
  XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/run VANTRY_STORE=$scratch/store
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
# The daemon makes the "login" keyring with the password read from its input, unlocked.
dbus-run-session -- bash -c \
  'printf %s test-keyring-password | gnome-keyring-daemon --unlock --components=secrets >/dev/null && exec "$@"' \
  keyring "$@"
