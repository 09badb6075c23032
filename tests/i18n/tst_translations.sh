#!/usr/bin/env bash
# Every text the sources pass through the translation system has its English: lupdate reads the
# sources into a throwaway copy of the translation file, and any message it leaves unfinished
# (a new text, a changed one, or one whose English was removed) fails the test by name.
# Usage: tst_translations.sh LUPDATE SOURCE_DIR TS_FILE
set -euo pipefail
LUPDATE=$1
SRC=$2
TS=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$TS" "$tmp/check.ts"
"$LUPDATE" -silent -locations none -no-obsolete -extensions cpp,h "$SRC" -ts "$tmp/check.ts" >"$tmp/lupdate.log" 2>&1 \
  || { cat "$tmp/lupdate.log"; echo "FAIL: lupdate did not run"; exit 1; }
# lupdate's own complaints (tr() where it cannot tell the context, ...) are faults too.
if grep -E "warning|error" "$tmp/lupdate.log"; then
  echo "FAIL: lupdate reported the problems above"
  exit 1
fi
python3 - "$tmp/check.ts" <<'PY'
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
total, missing = 0, []
for ctx in root.iter("context"):
    name = ctx.findtext("name")
    for msg in ctx.iter("message"):
        total += 1
        tr = msg.find("translation")
        text = "".join(tr.itertext()) if tr is not None else ""
        if tr is None or tr.get("type") == "unfinished" or not text.strip():
            missing.append(f"{name}: {msg.findtext('source')!r}"
                           + (f" ({msg.findtext('comment')})" if msg.find("comment") is not None else ""))
for m in missing:
    print("no English for", m)
print(f"{total} texts, {len(missing)} without English")
sys.exit(1 if missing else 0)
PY
