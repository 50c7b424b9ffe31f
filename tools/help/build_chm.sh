#!/usr/bin/env bash
# Compiles one language's help pages (src/help/<lang>/) into an HTML Help
# file: build_chm.sh SOURCE_DIR OUT.chm. The table of contents lists the
# pages in reading order by their <title>; the project and the contents are
# written in the language's code page (help.conf), which is how the help
# viewer reads a compiled file's title and topics. The pages themselves are
# UTF-8 and say so. The index lists every page's headings and every message
# of the messages page (by its first line); the file has a full-text search.
set -euo pipefail
src=$1 out=$2
pages=(index calibration properties testmode install messages registry)
conf() { sed -n "s/^$1=//p" "$src/help.conf"; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$src"/*.html "$src"/*.css "$tmp/"

title_of() { sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$src/$1.html" | head -n 1; }
{
    printf '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><BODY>\n<UL>\n'
    for page in "${pages[@]}"; do
        [ -f "$src/$page.html" ] || { echo "build_chm: missing $src/$page.html" >&2; exit 1; }
        printf '<LI> <OBJECT type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="%s.html"></OBJECT>\n' \
            "$(title_of "$page")" "$page"
    done
    printf '</UL>\n</BODY></HTML>\n'
} >"$tmp/toc.utf8"
python3 - "$src" "${pages[@]}" >"$tmp/index.utf8" <<'PY'
import html, re, sys
src, pages = sys.argv[1], sys.argv[2:]
def text(fragment):
    return html.unescape(re.sub(r'<[^>]+>', '', fragment)).strip()
entries = []
for page in pages:
    body = open(f'{src}/{page}.html', encoding='utf-8').read()
    for heading in re.findall(r'<h[12][^>]*>(.*?)</h[12]>', body, re.S):
        entries.append((text(heading), f'{page}.html'))
    for anchor, cell in re.findall(r'<tr(?: id="([^"]+)")?><td>(.*?)</td>', body, re.S):
        if page == 'messages':
            first = text(re.split(r'<br>', cell)[0])
            entries.append((first, f'{page}.html' + (f'#{anchor}' if anchor else '')))
print('<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><BODY>\n<UL>')
for name, local in sorted(set(entries), key=lambda e: e[0].lower()):
    name = name.replace('"', '&quot;')
    print(f'<LI> <OBJECT type="text/sitemap"><param name="Name" value="{name}">'
          f'<param name="Local" value="{local}"></OBJECT>')
print('</UL>\n</BODY></HTML>')
PY
{
    printf '[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=%s\nContents file=toc.hhc\nIndex file=index.hhk\nFull-text search=Yes\n' "$(basename "$out")"
    printf 'Default topic=index.html\nDisplay compile progress=No\nLanguage=%s\nTitle=%s\n\n' "$(conf language)" "$(conf title)"
    printf '[FILES]\n'
    for page in "${pages[@]}"; do printf '%s.html\n' "$page"; done
    printf 'help.css\n'
} >"$tmp/project.utf8"
codepage=$(conf codepage)
iconv -f UTF-8 -t "$codepage" "$tmp/toc.utf8" >"$tmp/toc.hhc"
iconv -f UTF-8 -t "$codepage" "$tmp/project.utf8" >"$tmp/project.hhp"
iconv -f UTF-8 -t "$codepage" "$tmp/index.utf8" >"$tmp/index.hhk"
(cd "$tmp" && chmcmd project.hhp >"$tmp/chmcmd.log" 2>&1) || { cat "$tmp/chmcmd.log" >&2; exit 1; }
cp "$tmp/$(basename "$out")" "$out"
