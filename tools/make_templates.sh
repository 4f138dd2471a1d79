#!/usr/bin/env bash
# Makes the six empty document templates under resources/templates/ again from the flat
# OpenDocument sources in tools/templates/, with LibreOffice in headless mode, then checks
# that each one converts to PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
sources=$PWD/tools/templates
target=$PWD/resources/templates
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A private profile, so that neither the user's settings nor a running office suite take part.
mkdir -p "$work/profile/user" "$work/home"
cp "$sources/registrymodifications.xcu" "$work/profile/user/"
# Its start-up warns that Java is missing, which none of these conversions need.
office() {
  HOME=$work/home LC_ALL=C.UTF-8 soffice -env:UserInstallation="file://$work/profile" --headless "$@" \
    2>&1 >/dev/null | { grep -v javaldx || true; } >&2
}

office --convert-to "doc:MS Word 97" --outdir "$work/out" "$sources/empty.fodt"
office --convert-to "docx:MS Word 2007 XML" --outdir "$work/out" "$sources/empty.fodt"
office --convert-to "xls:MS Excel 97" --outdir "$work/out" "$sources/empty.fods"
office --convert-to "xlsx:Calc MS Excel 2007 XML" --outdir "$work/out" "$sources/empty.fods"
office --convert-to "ppt:MS PowerPoint 97" --outdir "$work/out" "$sources/empty.fodp"
office --convert-to "pptx:Impress MS PowerPoint 2007 XML" --outdir "$work/out" "$sources/empty.fodp"
python3 "$sources/remove_slides.py" "$work/out/empty.pptx"

extensions=(doc docx xls xlsx ppt pptx)
for extension in "${extensions[@]}"; do
  office --convert-to pdf --outdir "$work/pdf" "$work/out/empty.$extension"
  mv "$work/pdf/empty.pdf" "$work/pdf/empty-$extension.pdf"
  head -c 5 "$work/pdf/empty-$extension.pdf" | grep -q '%PDF-' || { echo "empty.$extension does not open" >&2; exit 1; }
done

mkdir -p "$target"
for extension in "${extensions[@]}"; do
  cp "$work/out/empty.$extension" "$target/empty.$extension"
done
ls -l "$target"
