#!/usr/bin/env python3
"""Checks that the help lists every message QXdrv can show, in every language.

check_messages.py SOURCE_ROOT [--list] [--chm FILE.chm...]

A message is a string-table text or a fixed text that the code hands to a
message box: every IDS_ identifier and every file-level wide-text constant
(constexpr wchar_t kName[] = L"...") used in a function that shows a box,
except the identifiers listed in NOT_MESSAGES (captions and parts of a text).
The help's messages page of each language (src/help/<lang>/messages.html)
must hold an entry id="m<number>" for each string-table message and the
fixed text itself for each fixed one; an entry for a message the code no
longer shows is reported too. --list prints the messages found. Each
compiled help file given after --chm must have a full-text search and an
index that leads to every message's entry.
"""
import pathlib
import re
import subprocess
import sys
import tempfile

# Calls that put up a message box (the box port, the Win32 call, the
# dialogs' own wrappers).
BOX_CALL = re.compile(r'\b(ShowMessage|MessageBoxW|ShowBox|Question)\s*\(')
# Texts used in those functions that are no message of their own.
NOT_MESSAGES = {
    'IDS_APP_NAME',        # every box's caption
    'IDS_HOTKEY_TEXT',     # "Ctrl + Shift + %1" inside a message
    'IDS_HELP_FILE',       # the help file's name
    'IDS_PROPERTIES_CAPTION',  # install mode's sheet
    'IDS_VERSION_STAMP',   # stored, not shown
    'IDS_MODE_FULL', 'IDS_MODE_4_3', 'IDS_MODE_ORIGINAL', 'IDS_MODE_DOT_BY_DOT',  # inside 57706
    'IDS_RESOLUTION_PIXELS',  # inside the preset messages
    'IDS_DISPLAY_PANEL_TITLE',  # the resolution-change box's title part
    'IDS_PROMPT_FONT', 'IDS_CALIB_PROMPT', 'IDS_CALIB_CONFIRM_PROMPT',  # the cross screen's prompt
    'IDS_EDGE_TOP_TEXT', 'IDS_EDGE_BOTTOM_TEXT', 'IDS_EDGE_ESC_TEXT',  # the edge dialog's texts
}


def blocks_with_boxes(text):
    """The functions that show a box. Definitions start and end at the first
    column here (namespaces are not indented), so the text between two
    closing braces there holds one function and what precedes it."""
    for block in re.split(r'\n}[^\n]*\n', text):
        if BOX_CALL.search(block):
            yield block


def messages(root):
    ids = {}
    for m in re.finditer(r'#define\s+(IDS_\w+)\s+(\d+)', (root / 'src/res/resource_ids.h').read_text()):
        ids[m.group(1)] = int(m.group(2))
    numbers, texts = set(), set()
    for path in sorted((root / 'src').rglob('*.cpp')):
        source = re.sub(r'//[^\n]*', '', path.read_text(encoding='utf-8'))
        constants = dict(re.findall(r'constexpr\s+wchar_t\s+(k\w+)\[\]\s*=\s*L"([^"]*)"', source))
        for body in blocks_with_boxes(source):
            for name in re.findall(r'\bIDS_\w+', body):
                if name not in NOT_MESSAGES and name in ids:
                    numbers.add(ids[name])
            for name in re.findall(r'\bk\w+', body):
                if name in constants:
                    texts.add(constants[name])
    return numbers, texts


def check_compiled(chm, numbers):
    listing = subprocess.run(['chmls', 'list', chm], capture_output=True, text=True).stdout
    failures = 0
    if '/$FIftiMain' not in listing:
        print(f'{chm}: no full-text search')
        failures += 1
    with tempfile.TemporaryDirectory() as tmp:
        out = pathlib.Path(tmp) / 'index.hhk'
        subprocess.run(['chmls', 'extract', chm, '/index.hhk', str(out)], capture_output=True)
        index = out.read_bytes().decode('latin-1') if out.exists() else ''
    if not index:
        print(f'{chm}: no index')
        return failures + 1
    for n in sorted(numbers):
        if f'messages.html#m{n}"' not in index:
            print(f'{chm}: the index does not lead to message {n}')
            failures += 1
    return failures


def main():
    root = pathlib.Path(sys.argv[1])
    numbers, texts = messages(root)
    if '--list' in sys.argv:
        for n in sorted(numbers):
            print(n)
        for t in sorted(texts):
            print(t)
    failures = 0
    for page in sorted((root / 'src/help').glob('*/messages.html')):
        html = page.read_text(encoding='utf-8')
        entries = {int(n) for n in re.findall(r'id="m(\d+)"', html)}
        for n in sorted(numbers - entries):
            print(f'{page}: no entry for message {n}')
            failures += 1
        for n in sorted(entries - numbers):
            print(f'{page}: entry m{n} is no message the program shows')
            failures += 1
        for t in sorted(texts):
            if f'>{t}<' not in html:
                print(f'{page}: no entry for "{t}"')
                failures += 1
    if '--chm' in sys.argv:
        for chm in sys.argv[sys.argv.index('--chm') + 1:]:
            failures += check_compiled(chm, numbers)
    if failures == 0:
        print(f'every message has a help entry: {len(numbers)} string-table messages, {len(texts)} fixed texts')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
