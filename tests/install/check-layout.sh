#!/usr/bin/env bash
# Checks an installed tree: check-layout.sh ROOT, where ROOT is the tree's /usr (a DESTDIR
# install with the prefix /usr, or an unpacked package). Everything the desktop needs must be
# there and nothing else: no simulator, no test program, no development file.
set -euo pipefail
root=${1:?usage: check-layout.sh ROOT}
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

program=$root/lib/tabwright/tabwright
link=$root/bin/tabwright

# The program and the help document share a folder, and bin/tabwright leads there by a
# relative link: the Help button looks beside the resolved executable.
[[ -f $program && -x $program ]] || fail "lib/tabwright/tabwright is missing or not executable"
if [[ -L $link ]]; then
    target=$(readlink "$link")
    [[ $target == ../lib/tabwright/tabwright ]] || fail "bin/tabwright points to $target"
    [[ $(readlink -f "$link") == "$(readlink -f "$program")" ]] || fail "bin/tabwright does not resolve to the program"
else
    fail "bin/tabwright is not a symbolic link"
fi
help=$root/lib/tabwright/tabwright-help.html
if [[ -s $help ]]; then
    grep -qi '<html' "$help" || fail "tabwright-help.html is not an HTML document"
else
    fail "tabwright-help.html is not beside the program"
fi

# The program must need neither the Oracle client nor the simulator's SQLite at load time
# (the client is opened at run time) and must not look into the build tree for libraries.
if [[ -f $program ]]; then
    dynamic=$(readelf -d "$program")
    needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic")
    for lib in libQt6Widgets.so.6 libmariadb.so.3; do
        grep -qxF "$lib" <<<"$needed" || fail "the program does not link $lib"
    done
    if grep -E 'clntsh|sqlite|gtest|oracle' <<<"$needed"; then
        fail "the program links a library it must not need at load time"
    fi
    if grep -E '\((RPATH|RUNPATH)\)' <<<"$dynamic"; then
        fail "the installed program carries a library search path"
    fi
fi

# Desktop entry: its command is the installed link, its icon is in the theme.
desktop_files=("$root"/share/applications/*.desktop)
if [[ ${#desktop_files[@]} -ne 1 || ! -f ${desktop_files[0]} ]]; then
    fail "expected exactly one desktop entry in share/applications"
else
    desktop=${desktop_files[0]}
    exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n 1)
    [[ ${exec_line%% *} == tabwright ]] || fail "desktop entry runs '$exec_line', not tabwright"
    icon=$(sed -n 's/^Icon=//p' "$desktop" | head -n 1)
    [[ $icon == tabwright ]] || fail "desktop entry names the icon '$icon'"
    grep -qx 'Name=Vorlane Database Converter - MySQL to ORACLE' "$desktop" ||
        fail "desktop entry has not the program's name"
    categories=$(sed -n 's/^Categories=//p' "$desktop")
    [[ ";$categories" == *";Database;"* && ";$categories" == *";Development;"* ]] ||
        fail "desktop entry categories '$categories' lack Database or Development"
fi

# Icons: one PNG per size, each really of that size.
for size in 16 24 32 48 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/tabwright.png
    if [[ ! -f $png ]]; then
        fail "icon ${size}x${size} is missing"
        continue
    fi
    kind=$(file -b "$png")
    [[ $kind == "PNG image data, $size x $size,"* ]] || fail "icon ${size}x${size} is: $kind"
done

# AppStream metadata that names the desktop entry it belongs to.
metainfo_files=("$root"/share/metainfo/*.xml)
if [[ ${#metainfo_files[@]} -ne 1 || ! -f ${metainfo_files[0]} ]]; then
    fail "expected exactly one metainfo file in share/metainfo"
elif [[ -n ${desktop:-} ]]; then
    grep -qF "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" \
        "${metainfo_files[0]}" || fail "metainfo does not launch $(basename "$desktop")"
fi

# Nothing beyond the program, its desktop integration and its documentation.
allowed='^(bin/tabwright|lib/tabwright/tabwright|lib/tabwright/tabwright-help\.html|share/applications/[^/]+\.desktop|share/metainfo/[^/]+\.metainfo\.xml|share/icons/hicolor/(16x16|24x24|32x32|48x48|256x256)/apps/tabwright\.png|share/doc/tabwright/(copyright|changelog\.Debian\.gz)|share/man/man1/tabwright\.1\.gz|share/lintian/overrides/tabwright)$'
while IFS= read -r path; do
    grep -qE "$allowed" <<<"$path" || fail "unexpected file installed: $path"
done < <(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)

if ((failures > 0)); then
    echo "$failures check(s) failed in $root" >&2
    exit 1
fi
echo "install layout under $root is complete"
