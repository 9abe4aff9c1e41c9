#!/usr/bin/env bash
# Checks the Debian package in OUT: control fields, run-time dependencies, file modes and
# owners, the same layout as an install, and that apt could install it here.
set -euo pipefail
out=${1:?usage: check-package.sh OUT VERSION}
version=${2:?usage: check-package.sh OUT VERSION}
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

debs=("$out"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: expected one .deb in $out" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "tabwright_${version}-1_${arch}.deb" ]] || fail "package file is named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tabwright ]] || fail "Package is $(field Package)"
[[ $(field Version) == "${version}-1" ]] || fail "Version is $(field Version)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture is $(field Architecture)"
[[ $(field Section) == database ]] || fail "Section is $(field Section)"
[[ -n $(field Maintainer) ]] || fail "no Maintainer"
[[ $(field Description) == *MySQL*Oracle* ]] || fail "Description is $(field Description)"

# Dependencies come from the libraries the program links: Qt Widgets and the MariaDB client.
# The Oracle client is found at run time and must never be a dependency.
depends=$(field Depends)
echo "Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ :(].*//' | sort -u)
for package in libqt6widgets6 libmariadb3 libc6; do
    grep -qxF "$package" <<<"$depends_names" || fail "Depends lacks $package"
done
if grep -qiE 'oracle|instantclient|clntsh|libaio|sqlite|gtest' <<<"$depends"; then
    fail "Depends names something of Oracle, the simulator or the tests"
fi

# Owners and modes as Debian expects them, whoever built the package.
listing=$(dpkg-deb -c "$deb")
while read -r mode owner _ _ _ path rest; do
    [[ $owner == root/root ]] || fail "$path is owned by $owner"
    case $mode in
    d*) [[ $mode == drwxr-xr-x ]] || fail "folder $path has mode $mode" ;;
    l*) [[ $path == ./usr/bin/tabwright && $rest == "-> ../lib/tabwright/tabwright" ]] ||
            fail "unexpected link $path $rest" ;;
    *) if [[ $path == ./usr/lib/tabwright/tabwright ]]; then
           [[ $mode == -rwxr-xr-x ]] || fail "the program has mode $mode"
       else
           [[ $mode == -rw-r--r-- ]] || fail "$path has mode $mode"
       fi ;;
    esac
done <<<"$listing"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
bash "$here/check-layout.sh" "$unpacked/usr" || fail "the package's layout"
[[ $(file -b "$unpacked/usr/lib/tabwright/tabwright") == *", stripped"* ]] ||
    fail "the packaged program is not stripped"

# apt resolves the package's dependencies against this system without changing anything.
if ! apt-get install --simulate --no-install-recommends "$deb" >"$unpacked/apt.log" 2>&1; then
    cat "$unpacked/apt.log" >&2
    fail "apt-get could not install $deb"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed for $deb" >&2
    exit 1
fi
echo "package $deb is complete"
