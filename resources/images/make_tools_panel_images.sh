#!/usr/bin/env bash
# Draws the tools panel pictures. Usage: make_tools_panel_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_tools_panel_images.sh <output folder>}"
mkdir -p "$OUT"
