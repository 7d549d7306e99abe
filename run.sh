#!/usr/bin/env bash
# Install what is missing, build, and start Orvanel.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
orvanel_install_packages
orvanel_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Orvanel is a desktop program and needs a display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec ./build/orvanel "$@"
