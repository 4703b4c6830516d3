#!/usr/bin/env bash
# Prints the text of a job the print server received: a PDF (as Linux sends the report) through
# pdftotext; PostScript (as a Windows printer driver makes it, its letters drawn as outlines) read
# off its pages at 300 dpi by OCR.
# Usage: printed_text.sh <job file>
set -euo pipefail
if [[ $(head -c 4 "$1") == %PDF ]]; then
    pdftotext -layout "$1" -
    exit
fi
pages=$(mktemp -d)
trap 'rm -rf "$pages"' EXIT
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pnggray -r300 -sOutputFile="$pages/%03d.png" "$1"
for page in "$pages"/*.png; do
    tesseract "$page" - -l chi_sim+eng --psm 6 2>/dev/null
done
