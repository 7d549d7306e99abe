#!/usr/bin/env bash
# Install what is missing, build, and run every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
orvanel_install_packages
orvanel_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
