#!/usr/bin/env python3
"""guide_texts_test.py SOURCE_ROOT: the user guides quote the program's own texts. Every text
the English guide puts in "..." and the Chinese one in 【...】 must be a text of that language's
resources (or of the number boxes' tips, which are English in both), and each guide must quote
every control text of the two dialogs and every message box text, so that a renamed or added
control or message shows up here. %d in a resource text stands for a number."""
import pathlib
import re
import sys

# Dialog controls whose text the program replaces or draws over: no user sees it.
PLACEHOLDER_IDS = {"IDC_CHART_MOTION", "IDC_CHART_MOTIONLESS", "IDC_CHART_DISTANCE",
                   "IDC_STATIC_DISTANCE", "IDC_STATIC_INDICATOR", "IDC_STATIC_TIME_UNIT"}
# String table entries shown in message boxes.
MESSAGE_IDS = {"IDP_SOCKETS_INIT_FAILED", "IDS_PROMPT", "IDS_ERROR", "IDS_OPEN_DEVICE_FAILED",
               "IDS_NO_DEVICE", "IDS_READ_CONFIG_OK", "IDS_READ_CONFIG_FAILED", "IDS_WRITE_CONFIG_OK",
               "IDS_WRITE_CONFIG_FAILED", "IDS_STOP_REPORTING_FIRST", "IDS_LINK_LOST",
               "IDS_SENSITIVITY_INVALID", "IDS_LOG_FOLDER_UNWRITABLE", "IDS_CAPTURE_WRITE_FAILED"}

CONTROL = re.compile(r'^\s*(?:PUSHBUTTON|DEFPUSHBUTTON|LTEXT|CTEXT|RTEXT|GROUPBOX|CONTROL)\s+"([^"]*)"\s*,\s*(\w+)',
                     re.M)
STRING = re.compile(r'^\s*(\w+)\s+"([^"]*)"', re.M)
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def pattern(text):
    return re.compile(re.escape(text).replace("%d", r"\d+"))


def language_texts(resources, suffix):
    """All quoted texts of the language's .rc files, and those a guide has to quote."""
    every, required = set(), set()
    for rc in sorted(resources.glob(f"*_{suffix}.rc")):
        source = rc.read_text(encoding="utf-8")
        every.update(LITERAL.findall(source))
        for text, control in CONTROL.findall(source):
            if text and control not in PLACEHOLDER_IDS:
                required.add(text)
        if rc.name.startswith("strings_"):
            required.update(text for name, text in STRING.findall(source) if name in MESSAGE_IDS)
    return every, required


def check(guide, quote, allowed, required):
    quoted = quote.findall(guide.read_text(encoding="utf-8-sig"))
    problems = []
    for text in quoted:
        if not any(pattern(known).fullmatch(text) for known in allowed):
            problems.append(f"{guide.name} quotes a text the program does not have: {text!r}")
    for text in sorted(required):
        if not any(pattern(text).fullmatch(q) for q in quoted):
            problems.append(f"{guide.name} does not quote {text!r}")
    return problems


def main():
    root = pathlib.Path(sys.argv[1])
    resources = root / "src/resources"
    tips = set()
    for source in sorted((root / "src/controls").glob("*.cpp")):
        tips.update(re.findall(r'L"([^"\\]*)"', source.read_text(encoding="utf-8")))
    problems = []
    for suffix, quote in (("en", re.compile(r'"([^"\n]+)"')), ("zh", re.compile(r"【([^】\n]+)】"))):
        every, required = language_texts(resources, suffix)
        if not required:
            problems.append(f"no control or message texts found in {resources}/*_{suffix}.rc")
        problems += check(root / f"package/UserGuide-{suffix}.txt", quote, every | tips, required)
    for problem in problems:
        print(problem, file=sys.stderr)
    sys.exit(1 if problems else 0)


main()
