#!/usr/bin/env bash
# Builds the help file the program opens on F1 from the user guide:
#   make_help.sh GUIDE.md WORKDIR OUT.chm
# The guide becomes one HTML page (markdown_py, python3-markdown) with a contents
# list made from its second-level headings; the pictures it shows are taken from the
# guide's folder; chmcmd (fp-utils) compiles page, pictures and contents into OUT.chm.
set -euo pipefail

guide=$1
work=$2
out=$3
docs=$(dirname "$guide")

rm -rf "$work"
mkdir -p "$work"

body=$(markdown_py -x extra -x toc "$guide")
title=$(sed -n 's/^# //p' "$guide" | head -n 1)
{
  printf '<!DOCTYPE html>\n<html><head><meta charset="utf-8">\n'
  printf '<title>%s</title>\n' "$title"
  printf '<style>body{font-family:sans-serif;max-width:50em;margin:1em}table{border-collapse:collapse}'
  printf 'td,th{border:1px solid #999;padding:2px 6px;text-align:left}code{background:#eee}</style>\n'
  printf '</head><body>\n%s\n</body></html>\n' "$body"
} >"$work/index.html"

# The pictures the page shows, from the guide's folder.
images=$( (grep -o '<img [^>]*src="[^"]*"' "$work/index.html" || true) | sed 's/.*src="\([^"]*\)"/\1/' | sort -u)
for image in $images; do
  cp "$docs/$image" "$work/$image"
done

# Contents: one entry per second-level heading, as markdown's toc extension named it.
{
  printf '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><BODY>\n<UL>\n'
  printf '<LI><OBJECT type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="index.html"></OBJECT>\n' "$title"
  printf '<UL>\n'
  (grep -o '<h2 id="[^"]*">[^<]*</h2>' "$work/index.html" || true) | sed 's|<h2 id="\([^"]*\)">\([^<]*\)</h2>|\1\t\2|' |
    while IFS=$'\t' read -r id name; do
      printf '<LI><OBJECT type="text/sitemap"><param name="Name" value="%s"><param name="Local" value="index.html#%s"></OBJECT>\n' "$name" "$id"
    done
  printf '</UL>\n</UL>\n</BODY></HTML>\n'
} >"$work/contents.hhc"

{
  printf '[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=%s\r\n' "$(basename "$out")"
  printf 'Contents file=contents.hhc\r\nDefault topic=index.html\r\nLanguage=0x809 English (United Kingdom)\r\n'
  printf 'Title=%s\r\n\r\n[FILES]\r\nindex.html\r\n' "$title"
  for image in $images; do printf '%s\r\n' "$image"; done
} >"$work/help.hhp"

(cd "$work" && chmcmd --no-html-scan help.hhp >chmcmd.log 2>&1) || {
  cat "$work/chmcmd.log" >&2
  exit 1
}
cp "$work/$(basename "$out")" "$out"
