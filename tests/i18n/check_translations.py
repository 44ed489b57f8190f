#!/usr/bin/env python3
"""Fails when a shipped translation is not complete for the texts in the sources.

check_translations.py LUPDATE SOURCE_DIR TS_FILE...

Each .ts file is copied and brought up to date from the sources with lupdate, as
`make translations` would: a text the sources have and the file lacks arrives
unfinished, a text the file has and the sources dropped arrives vanished. Every message
must then be finished, not empty, and keep the source's %1, %2... and line breaks."""

import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path


def problems(ts_path):
    found = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = "".join(translation.itertext()) if translation is not None else ""
            kind = translation.get("type") if translation is not None else "missing"
            where = f"{name}: {source!r}"
            if kind in ("unfinished", "missing"):
                found.append(f"{where} has no finished translation")
            elif kind in ("vanished", "obsolete"):
                found.append(f"{where} is no longer in the sources")
            elif not text.strip():
                found.append(f"{where} has an empty translation")
            elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                found.append(f"{where}: the translation {text!r} has other place markers")
            elif source.count("\n") != text.count("\n"):
                found.append(f"{where}: the translation {text!r} has other line breaks")
    return found


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    lupdate, sources, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
    failed = False
    with tempfile.TemporaryDirectory() as work:
        for ts in ts_files:
            copy = Path(work) / Path(ts).name
            shutil.copyfile(ts, copy)
            run = subprocess.run([lupdate, "-locations", "none", sources, "-ts", str(copy)],
                                 capture_output=True, text=True)
            if run.returncode != 0:
                print(f"{ts}: lupdate failed:\n{run.stdout}{run.stderr}")
                failed = True
                continue
            for problem in problems(copy):
                print(f"{Path(ts).name}: {problem}")
                failed = True
    if failed:
        sys.exit(1)
    print(f"{len(ts_files)} translation(s) complete")


if __name__ == "__main__":
    main()
