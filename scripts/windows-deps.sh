#!/usr/bin/env bash
# Builds what the Windows build links and Debian ships only for the host: SQLite and SQLiteCpp
# from Debian's source packages, as static mingw-w64 libraries, and nlohmann-json's headers
# (headers only, taken from the installed Debian package). Usage: windows-deps.sh CACHE_DIR.
# Leaves CACHE_DIR/deps/{include,lib,lib/cmake} and is quick when they are already there;
# apt's own configuration is left alone (a private sources list and lists folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=$(realpath -m "$1")
prefix=$cache/deps
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)
stamp="sqlite3 sqlitecpp nlohmann-json $(dpkg-query -W -f='${Version}' nlohmann-json3-dev) $(sha1sum "$0" | cut -c1-12)"
if [ "$(cat "$prefix/stamp" 2>/dev/null)" = "$stamp" ]; then
  exit 0
fi
rm -rf "$prefix" "$cache/src"
mkdir -p "$cache/apt/lists/partial" "$cache/src" "$prefix"

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat > "$cache/apt/sources.list" <<EOF
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main
EOF
apt_opts=(-o "Dir::Etc::sourcelist=$cache/apt/sources.list" -o Dir::Etc::sourceparts=-
          -o "Dir::State::Lists=$cache/apt/lists" -o APT::Get::List-Cleanup=0 -o APT::Sandbox::User=root)
apt-get "${apt_opts[@]}" update -qq
cd "$cache/src"
apt-get "${apt_opts[@]}" source -qq --download-only sqlite3 sqlitecpp

# SQLite: Debian's patches on the full source, the one-file amalgamation made on the host
# (with tclsh), then that file compiled for the target with the options Debian's build uses
# that the program relies on (column metadata for SQLiteCpp, threads, URIs).
tar xf sqlite3_*.orig.tar.xz
mkdir sqlite-debian && tar -C sqlite-debian -xf sqlite3_*.debian.tar.xz
sqlite_src=$(ls -d sqlite3-*/)
grep -v '^#' sqlite-debian/debian/patches/series | sed '/^[[:space:]]*$/d' | while read -r p _; do
  patch -d "$sqlite_src" -p1 --forward -s < "sqlite-debian/debian/patches/$p"
done
mkdir sqlite-build
(cd sqlite-build && "../$sqlite_src/configure" --disable-tcl >configure.log 2>&1 && make sqlite3.c >make.log 2>&1) || {
  tail -20 sqlite-build/*.log >&2
  exit 1
}
mkdir -p "$prefix/include" "$prefix/lib"
x86_64-w64-mingw32-gcc-posix -O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA \
  -DSQLITE_THREADSAFE=1 -DSQLITE_USE_URI=1 -DSQLITE_ENABLE_JSON1 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS \
  -DSQLITE_MAX_SCHEMA_RETRY=25 -c sqlite-build/sqlite3.c -o sqlite-build/sqlite3.o
x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" sqlite-build/sqlite3.o
cp sqlite-build/sqlite3.h sqlite-build/sqlite3ext.h "$prefix/include/"
cp "$sqlite_src/LICENSE.md" "$prefix/sqlite-LICENSE.md"

# SQLiteCpp against that SQLite (not its bundled copy).
tar xf sqlitecpp_*.orig.tar.gz
sqlitecpp_src=$(ls -d SQLiteCpp-*/)
cmake -S "$sqlitecpp_src" -B sqlitecpp-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DSQLITECPP_INTERNAL_SQLITE=OFF -DSQLITECPP_RUN_CPPLINT=OFF \
  -DSQLITECPP_RUN_CPPCHECK=OFF -DSQLITECPP_BUILD_TESTS=OFF -DSQLITECPP_BUILD_EXAMPLES=OFF \
  -DSQLite3_INCLUDE_DIR="$prefix/include" -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.a" >/dev/null
cmake --build sqlitecpp-build -j"$jobs" >/dev/null
cmake --install sqlitecpp-build >/dev/null
cp "$sqlitecpp_src/LICENSE.txt" "$prefix/SQLiteCpp-LICENSE.txt"

# nlohmann-json: the headers and CMake package of the host's Debian package, which find
# their headers relative to themselves.
cp -r /usr/include/nlohmann "$prefix/include/"
mkdir -p "$prefix/share/cmake"
cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
cp /usr/share/doc/nlohmann-json3-dev/copyright "$prefix/nlohmann-json-copyright"

rm -rf "$cache/src"
echo "$stamp" > "$prefix/stamp"
