#!/usr/bin/env bash
# Installs a built tree into a temporary root with the /usr prefix, as the Debian package does,
# and checks what lands where: the program, its desktop entry, its icon at every size, its
# AppStream metadata, the language files and their help documents; then runs the desktop
# validators when they are here.
#   InstallLayoutTest.sh <build dir> <source dir> <project version>
set -euo pipefail
build=$1 source=$2 version=$3
id=org.orvanta.Orvanta
sizes=(16 24 32 48 64 128 256)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr

# Exactly these files, nothing a test or a library left behind.
expected=(bin/orvanta
          libexec/orvanta/liborvanta-windows.so
          libexec/orvanta/liborvanta-printing.so
          share/man/man1/orvanta.1.gz
          share/applications/$id.desktop
          share/metainfo/$id.metainfo.xml
          share/icons/hicolor/scalable/apps/$id.svg
          share/doc/orvanta/copyright
          share/doc/orvanta/changelog.gz)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
# orvanta.<language>.1 in that language's folder.
pages=(man1)
for file in "$source"/packaging/orvanta.*.1; do
    language=${file##*/orvanta.}
    pages+=("${language%.1}/man1")
    expected+=("share/man/${language%.1}/man1/orvanta.1.gz")
done
languages=0
for file in "$source"/Language/*.lng.ini; do
    expected+=("share/orvanta/Language/$(basename "$file")")
    languages=$((languages + 1))
    # Every shipped language has its help.
    help=${file%.lng.ini}.help.rtf
    [ -f "$help" ] || fail "$(basename "$help") is not shipped"
done
for file in "$source"/Language/*.help.rtf; do
    expected+=("share/orvanta/Language/$(basename "$file")")
done
[ -f "$source/Language/English.lng.ini" ] || fail "English.lng.ini is not shipped"
[ "$languages" -ge 2 ] || fail "fewer than two language files are shipped"
diff <(printf 'usr/%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
    fail "the installed files differ from the expected list (< expected, > installed)"

[ -x "$usr/bin/orvanta" ] || fail "bin/orvanta is not executable"

# Library search paths: an empty or relative entry is the folder the program is started from,
# where anybody may leave a libQt6Core.so.6. The installed program needs none (Qt is on the
# system's path); no program of the build tree has such an entry either.
search_paths() { readelf -d "$1" 2>/dev/null | sed -n 's/.*(R\(UN\)\?PATH).*\[\(.*\)\]$/\2/p'; }
for installed in bin/orvanta libexec/orvanta/liborvanta-windows.so \
    libexec/orvanta/liborvanta-printing.so; do
    [ -z "$(search_paths "$usr/$installed")" ] ||
        fail "$installed has a library search path: $(search_paths "$usr/$installed")"
done
programs=0
while IFS= read -r program; do
    [ "$(head -c 4 "$program" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ] || continue
    programs=$((programs + 1))
    paths=$(search_paths "$program")
    [ -z "$paths" ] && continue
    IFS=: read -r -a entries <<<"$paths:"
    for entry in "${entries[@]}"; do
        [[ $entry == /* ]] || fail "$program searches libraries in '$entry' ($paths)"
    done
done < <(find "$build" -type f -executable -not -path '*/CMakeFiles/*')
[ "$programs" -gt 0 ] || fail "no built program found in $build"
for file in "$source"/Language/*.lng.ini "$source"/Language/*.help.rtf; do
    cmp -s "$file" "$usr/share/orvanta/Language/$(basename "$file")" ||
        fail "$(basename "$file") is not installed as shipped"
done

# Each PNG is as large as its folder says: width and height are big-endian at bytes 16..23.
for size in "${sizes[@]}"; do
    png=$usr/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -f "$png" ] || continue
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "$png is not a PNG"
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "${size}x$size icon is ${width}x$height"
done
grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"

# The entry starts the installed program by its icon; the metadata points at the entry and
# names this version.
desktop=$usr/share/applications/$id.desktop
value() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
# Started from the desktop's menu, the program speaks the system's language.
[ "$(value Exec)" = "orvanta --language system" ] ||
    fail "Exec is '$(value Exec)', not 'orvanta --language system'"
[ "$(value TryExec)" = orvanta ] || fail "TryExec is '$(value TryExec)', not orvanta"
[ "$(value Icon)" = "$id" ] || fail "Icon is '$(value Icon)', not $id"
[ "$(value Name)" = "Орванта" ] || fail "Name is '$(value Name)'"
[ -n "$(value 'Name\[en\]')" ] || fail "no English name"

metainfo=$usr/share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $id.desktop"
grep -q "<binary>orvanta</binary>" "$metainfo" || fail "metainfo does not provide bin/orvanta"
grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "metainfo has no release $version: bump it with the project version"

# Debian's changelog of a package that is its own upstream names the version it describes.
zcat "$usr/share/doc/orvanta/changelog.gz" | head -n1 | grep -q "^orvanta ($version) " ||
    fail "changelog.gz does not begin with version $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$usr/share/doc/orvanta/copyright" || fail "copyright is not in the machine-readable format"
# The manual pages, English the default and each other language in its own folder: compressed
# without a name or time stamp, in the language they stand for, declaring their encoding on the
# first line (or man may take UTF-8 for Latin-1 and break lines inside words), every option of the
# command line in them, and no complaint from man.
for page in "${pages[@]}"; do
    man=$usr/share/man/$page/orvanta.1.gz
    [ -f "$man" ] || continue
    [ "$(od -An -tx1 -N8 "$man" | tr -d ' \n')" = 1f8b080000000000 ] ||
        fail "$page/orvanta.1.gz is not gzip -n: $(od -An -tx1 -N8 "$man")"
    [ "$(gzip -dc "$man" | head -n1)" = '.\" -*- coding: UTF-8 -*-' ] ||
        fail "$page/orvanta.1.gz does not declare its encoding on its first line"
    for option in --man --woman --couple --date --days --format --ics --cycles --language --help \
        --version; do
        gzip -dc "$man" | grep -qF -- "${option//-/\\-}" || fail "$page/orvanta.1.gz lacks $option"
    done
    case $page in
    man1) words='^\.SH (NAME|SYNOPSIS|DESCRIPTION)$' ;;
    ru/*) words='^\.SH (ИМЯ|СИНТАКСИС|ОПИСАНИЕ)$' ;;
    de/*) words='^\.SH (BEZEICHNUNG|ÜBERSICHT|BESCHREIBUNG)$' ;;
    *) words= ;;
    esac
    # The other languages' pages at least not under English headings (French shares two).
    if [ -n "$words" ]; then
        [ "$(gzip -dc "$man" | grep -cE "$words")" = 3 ] ||
            fail "$page/orvanta.1.gz is not in its language"
    elif [ "$(gzip -dc "$man" | grep -cE '^\.SH (NAME|SYNOPSIS|DESCRIPTION)$')" = 3 ]; then
        fail "$page/orvanta.1.gz has English headings"
    fi
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man reports on $page/orvanta.1.gz: $warnings"
    else
        echo "man is not installed: the manual pages' formatting is not checked"
    fi
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate is not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >/dev/null || {
        appstreamcli validate --no-net "$metainfo" >&2
        fail "appstreamcli validate"
    }
else
    echo "appstreamcli is not installed: skipped"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install layout: ${#expected[@]} files in place"
