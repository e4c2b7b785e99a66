#!/usr/bin/env bash
# The Windows build, made here with MinGW-w64, all of it in build-windows/:
#   tests      the plain rings, the checker and their unit tests, without wxWidgets, run
#              under Wine (CI runs this step)
#   wx         wxWidgets for MSW built static, once, from Debian's source package of the
#              version the Linux build uses
#   program    taldrin.exe and taldrin-check.exe
#   installer  taldrin-1.0-setup.exe, packed by NSIS
#   check      the installer tried under Wine on a private X server: a silent install,
#              the installed program started, the start of a lesson played and a
#              screenshot taken (build-windows/wine-lesson.png)
#   scripts/windows.sh [step...]   (default: wx program installer check)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
mkdir -p "$out"
host=x86_64-w64-mingw32
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
# Wine in a prefix of our own, without the .NET and HTML engines it would offer to fetch.
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
toolchain=$root/cmake/mingw-w64.cmake
version=$(sed -n 's/^project(Taldrin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$out/taldrin-$version-setup.exe

# Installs the Debian packages given that are missing.
install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# One Wine server for all the programs of a step, so each start is quick. The prefix is
# made and Wine's own services are started here: started by a test, they would hold its
# output open, and CTest would wait for them.
start_wine() {
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -p
  trap '/usr/lib/wine/wineserver -k || true' EXIT
  "$wine" wineboot --init >"$out/wineboot.log" 2>&1
}

# GoogleTest for Windows, from Debian's own sources of it.
build_gtest() {
  [ -f "$out/prefix/lib/libgtest.a" ] && return 0
  cmake -S /usr/src/googletest -B "$out/gtest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$out/prefix" >/dev/null
  cmake --build "$out/gtest" --parallel "$jobs" >/dev/null
  cmake --install "$out/gtest" >/dev/null
}

run_tests() {
  install_packages g++-mingw-w64-x86-64-posix wine64 libgtest-dev cmake make
  start_wine
  build_gtest
  cmake -S . -B "$out/core" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTALDRIN_MINGW_PREFIX="$out/prefix" \
    -DTALDRIN_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/core" --parallel "$jobs"
  ctest --test-dir "$out/core" --output-on-failure --timeout 300
}

# Debian's wxwidgets3.2 source package, fetched with a private copy of the apt sources
# that adds their deb-src type; the machine's own apt configuration is left alone.
fetch_wx() {
  local wx_version apt
  wx_version=$(dpkg-query -W -f='${source:Version}' libwxgtk3.2-dev)
  apt=$out/apt
  mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial"
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -e "$sources" ] || continue
    sed 's/^Types: deb$/Types: deb deb-src/' "$sources" > "$apt/sources/$(basename "$sources")"
  done
  local options=(-o "Dir::Etc::SourceParts=$apt/sources" -o "Dir::Etc::SourceList=/dev/null"
                 -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
  apt-get "${options[@]}" update -qq
  rm -rf "$out/wx-source"
  mkdir -p "$out/wx-source"
  (cd "$out/wx-source" && apt-get "${options[@]}" source -qq "wxwidgets3.2=$wx_version")
}

build_wx() {
  [ -f "$out/wx/.built" ] && return 0
  [ -d "$out/wx-source" ] && ls -d "$out"/wx-source/wxwidgets3.2-*/ >/dev/null 2>&1 || fetch_wx
  local source
  source=$(ls -d "$out"/wx-source/wxwidgets3.2-*/ | head -1)
  mkdir -p "$out/wx-build"
  (cd "$out/wx-build" &&
    "$source/configure" --host=$host CC=$host-gcc-posix CXX=$host-g++-posix \
      --prefix="$out/wx" --disable-shared --with-msw \
      --without-libpng --without-libjpeg --without-libtiff --without-expat \
      --with-zlib=sys --with-regex=builtin --disable-svg --without-opengl \
      --disable-xrc --disable-richtext --disable-stc --disable-webview --disable-mediactrl \
      --disable-propgrid --disable-ribbon --disable-aui --disable-sound --disable-debug_info \
      >"$out/wx-configure.log" &&
    nice -n 15 make -j"$jobs" >"$out/wx-make.log" 2>&1 &&
    make install >"$out/wx-install.log" 2>&1)
  touch "$out/wx/.built"
}

# taldrin.exe and taldrin-check.exe against the static wxWidgets.
build_program() {
  install_packages g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev libgtest-dev cmake make
  build_wx
  build_gtest
  cmake -S . -B "$out/program" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTALDRIN_MINGW_PREFIX="$out/prefix;$out/wx" \
    -DwxWidgets_CONFIG_EXECUTABLE="$out/wx/bin/wx-config" -DTALDRIN_BUILD_GUI=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/program" --parallel "$jobs" --target taldrin taldrin-check
}

# The catalogs beside the program, as locale/<language>/LC_MESSAGES/: ours for every
# language in po/LINGUAS, and the toolkit's own (its stock buttons and dialogs) built
# from the toolkit source fetched for the wx step.
stage_catalogs() {
  install_packages gettext
  local locale=$1 language wx_source
  wx_source=$(ls -d "$out"/wx-source/wxwidgets3.2-*/ | head -1)
  while read -r language; do
    [ -n "$language" ] && [ -f "po/$language.po" ] || continue
    mkdir -p "$locale/$language/LC_MESSAGES"
    msgfmt --check -o "$locale/$language/LC_MESSAGES/taldrin.mo" "po/$language.po"
    if [ -f "$wx_source/locale/$language.po" ]; then
      msgfmt -o "$locale/$language/LC_MESSAGES/wxstd-3.2.mo" "$wx_source/locale/$language.po"
    else
      echo "no toolkit catalog for $language" >&2
    fi
  done < <(sed 's/#.*//' po/LINGUAS)
}

# The installer, from the files staged as they are installed.
build_installer() {
  install_packages nsis imagemagick
  local stage=$out/stage
  rm -rf "$stage"
  mkdir -p "$stage/help"
  for program in taldrin taldrin-check; do
    find "$out/program" -name "$program.exe" -exec $host-strip -o "$stage/$program.exe" {} \;
  done
  cp data/irregu.ver data/irrtes.ver res/windows/taldrin.ico "$stage/"
  cp res/help/*.hhp res/help/*.hhc res/help/*.hhk res/help/*.html "$stage/help/"
  local book
  for book in res/help/*/verbhlp.hhp; do
    [ -e "$book" ] || continue
    book=$(dirname "$book")
    mkdir -p "$stage/help/${book##*/}"
    cp "$book"/*.hhp "$book"/*.hhc "$book"/*.hhk "$book"/*.html "$stage/help/${book##*/}/"
  done
  stage_catalogs "$stage/locale"
  sed 's/$/\r/' COPYING >"$stage/COPYING.txt"
  makensis -V2 -DSTAGE="$stage" -DVERSION="$version" -DOUTFILE="$setup" \
    res/windows/taldrin.nsi
  echo "installer: $setup"
}

# Under Wine on a private X server, in a fresh Wine prefix: a silent install for all users,
# the installed program started from a folder without lists, its welcome screen, the
# forms and groups dialogs, one question answered; then a silent uninstall, which must
# leave nothing but the settings.
check_installer() {
  install_packages wine64 xvfb xdotool x11-utils imagemagick
  bash tests/gui/wine-installer.sh "$setup" "$out/wine-lesson.png"
}

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(wx program installer check)
for step in "${steps[@]}"; do
  case $step in
    tests) run_tests ;;
    program) build_program ;;
    installer) build_installer ;;
    check) check_installer ;;
    wx) install_packages g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev make; build_wx ;;
    *) echo "unknown step: $step" >&2; exit 2 ;;
  esac
done
