#!/usr/bin/env bash
# The shared libraries of an installed BUILD_SHARED_LIBS tree: each has the SONAME of its
# major.minor version behind the usual links, exports the library's own functions (a public
# one from a header is there), and keeps the standard library's instantiations and every
# weak or file-local symbol to itself.
#
# usage: sharedLibraryTest.sh PREFIX VERSION
set -euo pipefail
prefix=$(realpath "$1")
version=$2
soVersion=${version%.*}

fail() {
    echo "FAIL: $*"
    exit 1
}

for library in quarnel quarnel-compat; do
    file=$(find "$prefix" -name "lib$library.so.$version" | head -n1)
    [ -n "$file" ] || fail "no lib$library.so.$version under $prefix"
    dir=$(dirname "$file")
    soname=$(readelf -d "$file" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [ "$soname" = "lib$library.so.$soVersion" ] || fail "lib$library: SONAME \"$soname\""
    [ "$(readlink "$dir/lib$library.so.$soVersion")" = "lib$library.so.$version" ] ||
        fail "lib$library.so.$soVersion does not lead to lib$library.so.$version"
    [ -L "$dir/lib$library.so" ] || fail "no lib$library.so link for the linker"
    exported=$(nm -D --defined-only "$file" | awk '{ print $3 }')
    count=$(grep -c . <<<"$exported")
    # Instantiations of the standard library's templates (std::, __gnu_cxx::) stay inside.
    leaked=$(grep -E '^_Z(N|NK|T[VIS]N?)?(St|Sa|Sb|Ss|9__gnu_cxx)' <<<"$exported" | head -n3 || true)
    [ -z "$leaked" ] || fail "lib$library exports the standard library's: $leaked"
    echo "ok: lib$library.so.$version: SONAME $soname, $count symbols exported, none of std's"
done
system=$(find "$prefix" -name "libquarnel.so.$version" | head -n1)
nm -D --defined-only "$system" | awk '{ print $3 }' | c++filt |
    grep -Fx 'writeScreenshot(char const*)' >/dev/null ||
    fail "libquarnel does not export writeScreenshot(char const*)"
echo "ok: libquarnel exports the public writeScreenshot(char const*)"
