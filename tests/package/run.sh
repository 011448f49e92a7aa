#!/usr/bin/env bash
# Installs the win32 and win64 builds into one tree, as the release package
# holds them, checks its contents, links a C host against the installed header
# and import libraries (i686: MinGW and MSVC-style libraries; x86_64 too) and
# runs the hosts of both architectures under Wine against the installed DLLs
# (the i686 ones natively or emulated, as scripts/wine-env.sh chooses).
#   run.sh SOURCE_DIR WIN32_BUILD WIN64_BUILD WORK_DIR
set -uo pipefail
src=$1 win32=$2 win64=$3 work=$4
if [ ! -f "$win32/bin/farelib4.dll" ] || [ ! -f "$win32/cmake_install.cmake" ]; then
  echo "skipped: the win32 build ($win32) is not there; scripts/test builds it first"
  exit 77
fi
fail=0
note() { echo "$*"; }
bad() { echo "FAIL: $*"; fail=1; }

# The i686 programs run the way the rest of the run does (FARELIB_I686);
# a way that cannot be had is a failure, and their runs are left out.
export FARELIB_ROOT=$src
. "$src/scripts/wine-env.sh"
run_i686=1
i686_choose || { run_i686=0; bad "$i686_why"; }

rm -rf "$work"
mkdir -p "$work"
stage=$work/stage
cmake --install "$win32" --prefix "$stage" >"$work/install32.txt" 2>&1 || { cat "$work/install32.txt"; exit 1; }
cmake --install "$win64" --prefix "$stage" >"$work/install64.txt" 2>&1 || { cat "$work/install64.txt"; exit 1; }

for f in bin/farelib4.dll bin/farelib3.dll bin/farehost.exe include/farelib.h include/farelib_records.h include/fareplugin.h \
         lib/farelib4.dll.a lib/farelib3.dll.a lib/farelib4.lib lib/farelib3.lib README.md docs/host-guide.md \
         x64/bin/farelib4.dll x64/bin/farelib3.dll x64/bin/farehost.exe x64/lib/farelib4.dll.a x64/lib/farelib4.lib \
         bin/sample_plugin.dll x64/bin/sample_plugin.dll examples/sample-plugin/sample_plugin.c; do
  [ -f "$stage/$f" ] || bad "the package lacks $f"
done
# Every question about a built image goes to the toolchain's objdump and nm,
# as in the ABI checks.
file_format() { "$1-w64-mingw32-objdump" -f "$2" 2>&1 | sed -n 's/.*file format //p'; }
for f in "i686 bin/farelib4.dll pei-i386" "x86_64 x64/bin/farelib4.dll pei-x86-64"; do
  read -r arch dll want <<<"$f"
  got=$(file_format "$arch" "$stage/$dll")
  [ "$got" = "$want" ] || bad "expected $dll in the format $want; objdump says '$got'"
done

cflags=(-std=c99 -Wall -Wextra -Werror -I"$stage/include")
# i686: against the MinGW import libraries, the MSVC-style ones, and as C++.
i686-w64-mingw32-gcc "${cflags[@]}" "$src/tests/package/host.c" -L"$stage/lib" -lfarelib4 -o "$work/host32.exe" \
  || bad "i686 C host does not link against lib/farelib4.dll.a"
i686-w64-mingw32-gcc "${cflags[@]}" -DFARELIB3 "$src/tests/package/host.c" -L"$stage/lib" -lfarelib3 \
  -o "$work/host32-3.exe" || bad "i686 C host does not link against lib/farelib3.dll.a"
i686-w64-mingw32-gcc "${cflags[@]}" "$src/tests/package/host.c" "$stage/lib/farelib4.lib" -o "$work/host32-lib.exe" \
  || bad "i686 C host does not link against lib/farelib4.lib"
i686-w64-mingw32-g++ -x c++ -std=c++17 -Wall -Werror -fsyntax-only -I"$stage/include" "$src/tests/package/host.c" \
  || bad "farelib.h does not compile as C++"
# The i686 hosts import the plain names that the DLL exports.
for exe in host32 host32-lib; do
  imports=$(i686-w64-mingw32-objdump -p "$work/$exe.exe" 2>/dev/null | sed -n '/DLL Name: farelib4.dll/,/^$/p')
  for name in LenB_ASCII MidB_ASCII VantrelHpURL Call_dlg101 ZE4_GetPlgInfo; do
    grep -qE "[[:space:]]$name\$" <<<"$imports" || bad "$exe.exe does not import $name from farelib4.dll"
  done
  if grep -q '@' <<<"$imports"; then bad "$exe.exe imports a decorated name"; fi
done

# MSVC-style linker over the .lib files, where lld-link is installed.
if command -v lld-link >/dev/null && command -v clang >/dev/null; then
  cat >"$work/entry.c" <<'C'
int __stdcall LenB_ASCII(const char*);
int __stdcall mainCRTStartup(void) { return LenB_ASCII("ABCDE") == 5 ? 0 : 1; }
C
  for arch in i686 x86_64; do
    lib=$stage/lib/farelib4.lib
    [ "$arch" = x86_64 ] && lib=$stage/x64/lib/farelib4.lib
    clang --target=$arch-pc-windows-msvc -c "$work/entry.c" -o "$work/entry-$arch.obj" &&
      lld-link -nologo -nodefaultlib -subsystem:console -entry:mainCRTStartup "$work/entry-$arch.obj" "$lib" \
        -out:"$work/entry-$arch.exe" || bad "lld-link does not link against $lib"
  done
fi

# i686: the hosts run beside the installed deliverables.
for exe in host32 host32-3 host32-lib entry-i686; do
  if [ "$run_i686" = 1 ] && [ -f "$work/$exe.exe" ]; then
    cp "$work/$exe.exe" "$stage/bin/" &&
      "$src/scripts/wine-run" "$stage/bin/$exe.exe" >"$work/$exe.txt" 2>&1 || bad "$exe.exe failed under Wine"
    cat "$work/$exe.txt"
  fi
done

# x86_64: built against the installed tree and run beside the installed DLLs.
x86_64-w64-mingw32-gcc "${cflags[@]}" "$src/tests/package/host.c" -L"$stage/x64/lib" -lfarelib4 \
  -o "$stage/x64/bin/hostc.exe" || bad "x86_64 C host does not link against x64/lib/farelib4.dll.a"
x86_64-w64-mingw32-gcc "${cflags[@]}" -DFARELIB3 "$src/tests/package/host.c" -L"$stage/x64/lib" -lfarelib3 \
  -o "$stage/x64/bin/hostc3.exe" || bad "x86_64 C host does not link against x64/lib/farelib3.dll.a"
for exe in hostc hostc3; do
  if [ -f "$stage/x64/bin/$exe.exe" ]; then
    "$src/scripts/wine-run" "$stage/x64/bin/$exe.exe" >"$work/$exe.txt" 2>&1 || bad "$exe.exe failed under Wine"
    cat "$work/$exe.txt"
  fi
done
if [ -f "$stage/x64/bin/entry-x86_64.exe" ] || [ -f "$work/entry-x86_64.exe" ]; then
  cp "$work/entry-x86_64.exe" "$stage/x64/bin/" && "$src/scripts/wine-run" "$stage/x64/bin/entry-x86_64.exe" \
    || bad "the lld-linked x86_64 program failed under Wine"
fi

# ---- The import libraries name no DllMain; the DLLs still export it.
for arch in "" x64/; do
  nm=i686-w64-mingw32-nm objdump=i686-w64-mingw32-objdump
  [ -n "$arch" ] && nm=x86_64-w64-mingw32-nm objdump=x86_64-w64-mingw32-objdump
  for dll in farelib4 farelib3; do
    for lib in $arch"lib/$dll.dll.a" $arch"lib/$dll.lib"; do
      symbols=$($nm "$stage/$lib" 2>&1)
      grep -q LenB_ASCII <<<"$symbols" || bad "expected nm to list LenB_ASCII in $lib; it gave: $(head -n 3 <<<"$symbols")"
      if grep -q DllMain <<<"$symbols"; then bad "expected no DllMain in $lib; nm lists $(grep DllMain <<<"$symbols" | tr '\n' ' ')"; fi
    done
    exports=$($objdump -p "$stage/${arch}bin/$dll.dll")
    grep -qE '\] DllMain$' <<<"$exports" || bad "expected ${arch}bin/$dll.dll to export DllMain; it does not"
  done
done

# ---- farelib.h for a farelib3 host: a farelib4-only call does not compile,
# and the error names the function as farelib4's.
printf '#include <farelib.h>\nint main(void) { return GetOsInfo()[0]; }\n' >"$work/farelib3-getosinfo.c"
compilers=("i686-w64-mingw32-gcc -x c -std=c99" "i686-w64-mingw32-g++ -x c++ -std=c++17")
command -v clang >/dev/null && compilers+=("clang --target=i686-w64-mingw32 -x c")
for cc in "${compilers[@]}"; do
  if out=$($cc -DFARELIB_TARGET_FARELIB3 -I"$stage/include" -c "$work/farelib3-getosinfo.c" \
           -o "$work/farelib3-getosinfo.o" 2>&1); then
    bad "expected $cc to reject GetOsInfo with FARELIB_TARGET_FARELIB3; it compiled"
  elif ! grep -q "GetOsInfo.*farelib4" <<<"$out"; then
    bad "expected $cc's error to name GetOsInfo as farelib4's; it said: $(head -n 3 <<<"$out")"
  fi
done

# ---- A C host built through find_package(farelib), for i686, run under Wine.
fp=$work/find-package
if cmake -S "$src/tests/package/find-package" -B "$fp" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
     -DCMAKE_PREFIX_PATH="$stage" >"$work/find-package.txt" 2>&1 &&
   cmake --build "$fp" >>"$work/find-package.txt" 2>&1; then
  for exe in host host3; do
    [ "$run_i686" = 1 ] || continue
    "$src/scripts/wine-run" "$fp/$exe.exe" >"$work/find-package-$exe.txt" 2>&1 ||
      bad "expected the find_package-built $exe.exe to pass under Wine; it printed: $(grep -E 'FAIL|err' "$work/find-package-$exe.txt" | head -n 5)"
  done
else
  bad "expected the C host to configure and build through find_package(farelib); see below"
  tail -n 20 "$work/find-package.txt"
fi

# ---- A host DLL without a DllMain of its own, linked with the packaged
# import library: it loads, and farelib4's About box still shows its picture.
hd=$work/host-dll
mkdir -p "$hd"
cp "$stage/bin/farelib4.dll" "$hd/"
if i686-w64-mingw32-gcc "${cflags[@]}" -shared -static-libgcc "$src/tests/package/host_dll.c" -L"$stage/lib" \
     -lfarelib4 -o "$hd/host_dll.dll" &&
   i686-w64-mingw32-gcc -std=c99 -Wall -Wextra -Werror "$src/tests/package/about_from_dll.c" -lgdi32 \
     -o "$hd/about_from_dll.exe"; then
  [ "$run_i686" = 0 ] || (cd "$hd" && "$src/scripts/wine-run" about_from_dll.exe) >"$work/host-dll.txt" 2>&1 ||
    bad "expected the host DLL's About box with its picture; it printed: $(grep -E 'FAIL|err' "$work/host-dll.txt" | head -n 5)"
else
  bad "expected the host DLL and its loader to build against lib/farelib4.dll.a; they did not"
fi

# ---- The ZIP, unzipped alone: a top-level README, the .def files, the CMake
# package, and a sample plug-in that builds with that tree and a toolchain
# file only.
zipdir=$work/zip
if cpack --config "$win32/CPackConfig.cmake" -B "$zipdir" >"$work/cpack.txt" 2>&1 &&
   zip=$(ls "$zipdir"/*.zip 2>/dev/null | head -n 1) && [ -n "$zip" ] &&
   mkdir -p "$zipdir/unzipped" && (cd "$zipdir/unzipped" && cmake -E tar xf "$zip"); then
  top=$(ls -d "$zipdir"/unzipped/*/ | head -n 1)
  # What the ZIP ships is what the build folders hold and every test layer ran:
  # the stripped files, byte for byte; their debug files stay out.
  for f in farelib4.dll farelib3.dll farehost.exe sample_plugin.dll; do
    for pair in "bin:$win32" "x64/bin:$win64"; do
      built=${pair#*:}/bin/$f zipped=$top${pair%%:*}/$f
      if [ ! -f "$zipped" ]; then bad "expected ${pair%%:*}/$f in the ZIP; it is not there"
      elif ! cmp -s "$zipped" "$built"; then
        bad "expected the ZIP's ${pair%%:*}/$f to be $built byte for byte; $(cmp "$zipped" "$built" 2>&1 | head -n 1)"
      fi
    done
  done
  debug_files=$(cd "$top" && find . -name '*.debug' | tr '\n' ' ')
  [ -z "$debug_files" ] || bad "expected no debug files in the ZIP; it holds $debug_files"
  for f in README.md lib/farelib4.def lib/farelib3.def x64/lib/farelib4.def x64/lib/farelib3.def \
           lib/cmake/farelib/farelib-config.cmake lib/cmake/farelib/farelib-config-version.cmake; do
    [ -f "$top/$f" ] || bad "expected $f in the ZIP; it is not there"
  done
  for arch in i686 x86_64; do
    pb=$work/sample-plugin-$arch
    if cmake -S "$top/examples/sample-plugin" -B "$pb" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$arch.cmake" \
         >"$pb.txt" 2>&1 && cmake --build "$pb" >>"$pb.txt" 2>&1; then
      exports=$($arch-w64-mingw32-objdump -p "$pb/sample_plugin.dll" |
                grep -cE '\] (GetPlgInfo|SetPlgComment|SetCorpAddList|DrawSeiriken)$')
      [ "$exports" -eq 4 ] || bad "expected the $arch sample plug-in built from the ZIP to export the 4 entry points; it exports $exports"
    else
      bad "expected the sample plug-in to configure and build from the unzipped ZIP for $arch; see below"
      tail -n 20 "$pb.txt"
    fi
  done
else
  bad "expected cpack to make the ZIP and cmake -E tar to open it; see below"
  tail -n 20 "$work/cpack.txt"
fi

[ "$fail" -eq 0 ] && note "package: installed tree complete, hosts link and run"
exit "$fail"
