#!/usr/bin/env python3
# The English and Japanese resource scripts stay in step.
#
# check_resources.py SOURCE_ROOT
#
# Both scripts must read completely (every string-table line an entry, every
# dialog line a control) and hold the same string ids, each with a number in
# resource_ids.h, no number given to two ids, and the same insertions (%1..%9,
# printf conversions) in both texts; the registry paths alike. They must hold
# the same dialogs with the same style and the same controls in order (kind,
# id, class, style flags), no id twice in a dialog, the diagnostics dialogs'
# controls in the same places, and the test mode dialog's debug section wholly
# below the cut at its group's top edge. Prints each fault; fails if any.
import collections
import itertools
import pathlib
import re
import sys

INSERTION = re.compile(r'%([1-9]|[-+ #0]*\d*(?:\.\d+)?[dsfuxXc])')
STRING = re.compile(r'\s*(\w+)\s+"((?:[^"]|"")*)"\s*$')
ID_FIRST = re.compile(r'EDITTEXT|COMBOBOX|LISTBOX|SCROLLBAR')
TEXT_FIRST = re.compile(r'[LRC]TEXT|ICON|(DEF)?PUSH(BUTTON|BOX)|(AUTO)?(CHECKBOX|RADIOBUTTON|3STATE)|STATE3|GROUPBOX')
Control = collections.namedtuple('Control', 'kind id cls style place')
faults = []


def flags(style):
    return frozenset(('NOT ' if no else '') + flag for no, flag in re.findall(r'(NOT\s+)?(\w+)', style))


def control(kind, args):
    # A control statement: CONTROL text, id, class, style, x, y, cx, cy; the
    # kinds without a text begin with the id; the others with text, id; then
    # the place and the optional style.
    args = [a.strip() for a in re.split(r',(?=(?:[^"]*"[^"]*")*[^"]*$)', args)]  # commas outside quotes
    if kind == 'CONTROL' and len(args) >= 8:
        ident, cls, style, place = args[1], args[2].strip('"').upper(), flags(args[3]), args[4:8]
    elif ID_FIRST.fullmatch(kind) or TEXT_FIRST.fullmatch(kind):
        at = 0 if ID_FIRST.fullmatch(kind) else 1
        ident, cls, style, place = args[at], kind, flags(args[at + 5] if len(args) > at + 5 else ''), args[at + 1:at + 5]
    else:
        return None
    numbers = len(place) == 4 and all(p.isdigit() for p in place)
    return Control(kind, ident, cls, style, tuple(map(int, place))) if numbers else None


def read_script(path):
    # Its string tables and dialogs; a statement goes on while its line ends
    # in a comma or a | or the next line begins with a |.
    text = re.sub(r'//[^\n]*', '', path.read_text(encoding='utf-8'))
    text = re.sub(r'\s*\n(?=[ \t]*\|)', ' ', re.sub(r'(?<=[,|])[ \t]*\n', ' ', text))
    strings, dialogs, styles = {}, {}, {}
    block = r'(?ms)^((?:STRINGTABLE|\w+\s+DIALOGEX?)\b.*?)^[ \t]*(?:BEGIN|\{)[ \t]*\n(.*?)^[ \t]*(?:END|\})[ \t]*$'
    for head, body in re.findall(block, text):
        name = head.split()[0]
        if name != 'STRINGTABLE':
            dialogs[name] = []
            styles[name] = flags(''.join(re.findall(r'(?m)^\s*STYLE\s+(.*)$', head)))
        for line in filter(str.strip, body.splitlines()):
            statement = re.match(r'\s*([A-Z0-9]+)\s+(.*)', line)
            if name == 'STRINGTABLE' and STRING.match(line):
                key, value = STRING.match(line).groups()
                if key in strings:
                    faults.append(f'{path.name}: string id {key} used twice')
                strings[key] = value.replace('""', '"')
            elif name != 'STRINGTABLE' and statement and control(*statement.groups()):
                dialogs[name].append(control(*statement.groups()))
            else:
                faults.append(f'{path.name}: unread line in {name}: {line.strip()}')
    return strings, dialogs, styles


def check(root):
    res = root / 'src/res'
    defines = dict(re.findall(r'(?m)^\s*#define\s+(\w+)\s+(\w+)\s*$', (res / 'resource_ids.h').read_text()))
    ids = {name: int(value, 0) for name, value in defines.items() if value[0].isdigit()}
    ids.update({name: ids[value] for name, value in defines.items() if value in ids})
    (en, en_dialogs, en_styles), (ja, ja_dialogs, ja_styles) = (
        read_script(res / f'lang_{lang}_win.rc') for lang in ('en', 'ja'))
    if len(en) < 20 or len(en_dialogs) < 4:
        faults.append('the English script reads as almost empty')
    for kind, a, b in (('string', en, ja), ('dialog', en_dialogs, ja_dialogs)):
        for name in sorted(a.keys() ^ b.keys()):
            faults.append(f'{kind} {name} is missing in {"Japanese" if name in a else "English"}')
    for name in sorted(en.keys() & ja.keys()):
        if sorted(INSERTION.findall(en[name])) != sorted(INSERTION.findall(ja[name])):
            faults.append(f'{name}: insertions differ: {en[name]!r} / {ja[name]!r}')
        if not ja[name]:
            faults.append(f'{name} is empty in Japanese')
    by_number = {}
    for name in sorted(en.keys() | ja.keys()):
        number = ids.get(name, int(name) if name.isdigit() else None)
        if number is None:
            faults.append(f'{name} has no number')
        elif number in by_number:
            faults.append(f'{name} and {by_number[number]} share {number}')
        by_number[number] = name
    faults.extend(f'{name}: the registry path differs' for name in ('IDS_MAKER_KEY', 'IDS_SETTINGS_SUBKEY',
                                                                    'IDS_PRODUCT_SUBKEY') if en.get(name) != ja.get(name))
    for name in sorted(en_dialogs.keys() & ja_dialogs.keys()):
        a, b = en_dialogs[name], ja_dialogs[name]
        if name not in ids:
            faults.append(f'dialog {name} has no number')
        if en_styles.get(name) != ja_styles.get(name):
            faults.append(f'{name}: the dialog styles differ')
        pairs = itertools.zip_longest((c[:4] for c in a), (c[:4] for c in b))
        first = next((i for i, (x, y) in enumerate(pairs) if x != y), None)
        if first is not None:
            faults.append(f'{name}, control {first + 1} differs: {a[first:first + 1]} / {b[first:first + 1]}')
        if name in ('IDD_TEST_MODE', 'IDD_TEST_CHART') and [c.place for c in a] != [c.place for c in b]:
            faults.append(f'{name}: the controls lie in other places')
        for controls in (a, b):
            named = [c.id for c in controls if c.id not in ('IDC_STATIC', '-1')]
            faults.extend(f'{name} uses {i} twice' for i in sorted({i for i in named if named.count(i) > 1}))
    # The test mode dialog starts cut at the top of its debug group: what lies
    # before the group must end above the cut, the rest begin below it. A combo
    # box's height holds its list, which drops down only when opened.
    for controls in (en_dialogs.get('IDD_TEST_MODE', []), ja_dialogs.get('IDD_TEST_MODE', [])):
        at = next((i for i, c in enumerate(controls) if c.id == 'IDC_TM_DEBUG_GROUP'), None)
        if at is None:
            faults.append('IDD_TEST_MODE has no IDC_TM_DEBUG_GROUP')
            continue
        cut = controls[at].place[1]
        for c in controls[:at]:
            if c.place[1] + (0 if c.cls == 'COMBOBOX' else c.place[3]) > cut:
                faults.append(f'IDD_TEST_MODE: {c.id} reaches below the cut')
        faults.extend(f'IDD_TEST_MODE: {c.id} lies above the cut' for c in controls[at:] if c.place[1] < cut)


check(pathlib.Path(sys.argv[1]))
print('\n'.join(faults) or 'the resource scripts are in step')
sys.exit(1 if faults else 0)
