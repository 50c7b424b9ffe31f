#!/usr/bin/env bash
# Compiles one language's help pages (src/help/<lang>/) into an HTML Help
# file: build_chm.sh SOURCE_DIR OUT.chm. The table of contents lists the
# pages in reading order by their <title>; the project and the contents are
# written in the language's code page (help.conf), which is how the help
# viewer reads a compiled file's title and topics. The pages themselves are
# UTF-8 and say so.
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
{
    printf '[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=%s\nContents file=toc.hhc\n' "$(basename "$out")"
    printf 'Default topic=index.html\nDisplay compile progress=No\nLanguage=%s\nTitle=%s\n\n' "$(conf language)" "$(conf title)"
    printf '[FILES]\n'
    for page in "${pages[@]}"; do printf '%s.html\n' "$page"; done
    printf 'help.css\n'
} >"$tmp/project.utf8"
codepage=$(conf codepage)
iconv -f UTF-8 -t "$codepage" "$tmp/toc.utf8" >"$tmp/toc.hhc"
iconv -f UTF-8 -t "$codepage" "$tmp/project.utf8" >"$tmp/project.hhp"
(cd "$tmp" && chmcmd project.hhp >"$tmp/chmcmd.log" 2>&1) || { cat "$tmp/chmcmd.log" >&2; exit 1; }
cp "$tmp/$(basename "$out")" "$out"
