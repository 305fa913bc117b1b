#!/usr/bin/env bash
# Draws the toolbars pictures. Usage: make_toolbars_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_toolbars_images.sh <output folder>}"
mkdir -p "$OUT"
