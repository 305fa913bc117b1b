#!/usr/bin/env bash
# Draws the about tip pictures. Usage: make_about_tip_images.sh <output folder>
set -euo pipefail

OUT="${1:?usage: make_about_tip_images.sh <output folder>}"
mkdir -p "$OUT"
