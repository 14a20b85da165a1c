#!/usr/bin/env bash
# Compiles our own sources as a Mac build would, without a Mac: configures the
# project with CMake as Darwin, compiles every one of our .cpp files that the Mac
# build compiles, syntax only, with the framework's recommended warnings (the
# program's for x86_64 and arm64, the unit tests' for x86_64); then reads what the
# framework generated for the bundle. Fails on any error, on any warning in our own code and
# on a wrong bundle key.
#
#   scripts/macos-check.sh [work folder, default build/macos-check]
#
# Debian's clang, libc++ and glibc headers stand in for Xcode's; the few Apple
# headers that are needed are our own stand-ins in scripts/macos-headers/. Nothing
# is linked or run, and the framework's Objective-C++ is not compiled.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/packages.sh"
WORK="${1:-$BUILD_DIR/macos-check}"
HEADERS="$ROOT/scripts/macos-headers"
start=$SECONDS

# Debian's GoogleTest, wherever its multiarch folder is.
gtest_cmake_dir() { dirname "$(dpkg -L libgtest-dev | grep -m 1 '/GTestConfig\.cmake$')"; }

build="$WORK/cmake"
logs="$WORK/logs"
rm -rf "$build" "$logs"
mkdir -p "$build" "$logs"

# Each framework that the modules and platform/ ask find_library for, named
# directly: there is no SDK to find them in. The compiler is taken to work, as it
# cannot link here.
frameworks=("-DSECURITY_FRAMEWORK=-framework Security")
for name in Accelerate AudioToolbox AudioUnit AVFoundation AVKit Cocoa CoreAudio CoreAudioKit CoreMedia \
            CoreMIDI DiscRecording Foundation IOKit OpenGL QuartzCore Security WebKit; do
    frameworks+=("-Djuce_found_$name=-framework $name")
done

if ! cmake -S "$ROOT" -B "$build" -G "Unix Makefiles" \
        -DCMAKE_SYSTEM_NAME=Darwin -DCMAKE_OSX_SYSROOT=/ \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_COMPILER_WORKS=1 -DCMAKE_CXX_COMPILER_WORKS=1 \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DUNINSTALLER_BUILD_BENCHMARKS=OFF \
        "${JUCE_SOURCE_OPTIONS[@]}" -DGTest_DIR="$(gtest_cmake_dir)" \
        "${frameworks[@]}" > "$logs/configure.log" 2>&1; then
    echo "macOS check: configuring as Darwin failed:"
    tail -20 "$logs/configure.log"
    exit 1
fi

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
DEPLOYMENT_TARGET=$(cache_value CMAKE_OSX_DEPLOYMENT_TARGET)
[ -n "$DEPLOYMENT_TARGET" ] || { echo "macOS check: the configuration names no deployment target"; exit 1; }

# The clang that CMake found, and the LLVM it belongs to, whose libc++ and
# compiler headers the arm64 half reads.
CLANG="$(cache_value CMAKE_CXX_COMPILER)"
LLVM_ROOT="$(dirname "$(dirname "$(readlink -f "$CLANG")")")"
CLANG_HEADERS="$("$CLANG" -print-resource-dir)/include"
[ -d "$LLVM_ROOT/include/c++/v1" ] && [ -d "$CLANG_HEADERS" ] \
    || { echo "macOS check: no libc++ headers beside $CLANG (in $LLVM_ROOT)"; exit 1; }

# Where CMake wrote a target's build rules, in the folder that defines the target.
rules_of() { # target
    find "$build" -type d -path "*/CMakeFiles/$1.dir" | head -n 1
}

# Flags that CMake wrote for a target; those that name the Mac's own toolchain
# (architectures, SDK, deployment target) are set per architecture below instead.
flags_of() { # rules folder, variable
    sed -n "s/^$2 = //p" "$1/flags.make" \
        | sed -E -e 's/-arch [^ ]+//g' -e 's/-isysroot [^ ]+//g' -e 's/-mmacosx-version-min=[^ ]+//g'
}

# Our .cpp files in a target, from the top of the checkout; the framework's are elsewhere.
sources_of() { # rules folder
    grep -oE "\.cpp\.o: $ROOT/[^ ]+\.cpp$" "$1/build.make" | sed "s|.*: $ROOT/||" | sort -u
}

# Only because Debian's C library stands in for the Mac's:
#  -U__nonnull        clang's Darwin __nonnull would hide glibc's macro of that name;
#  -D_DEFAULT_SOURCE  glibc hides POSIX under -std=c++17, the Mac's library does not;
#  -isystem/-idirafter our stand-ins first (the Mac's <sys/mount.h> is not Linux's),
#                     glibc's own headers after everything else.
toolchain_for() { # architecture
    local common="-stdlib=libc++ -fsyntax-only -U__nonnull -D_DEFAULT_SOURCE"
    case $1 in
        x86_64) echo "-target x86_64-apple-macos$DEPLOYMENT_TARGET $common -isystem $HEADERS" \
                     "-idirafter /usr/include/x86_64-linux-gnu" ;;
        arm64)  echo "-target arm64-apple-macos11 $common -nostdlibinc -isystem $HEADERS" \
                     "-isystem $LLVM_ROOT/include/c++/v1 -isystem $CLANG_HEADERS" \
                     "-isystem /usr/aarch64-linux-gnu/include" ;;
    esac
}

# One line per compilation: architecture, target, source. The program, with
# uninstaller_common and uninstaller_helper_core, which it links, for both
# architectures; the unit tests, which are never shipped, for one.
jobs="$WORK/jobs"
: > "$jobs"
for what in "uninstaller_common:x86_64 arm64" "uninstaller_helper_core:x86_64 arm64" \
            "UninstallerHelper:x86_64 arm64" "uninstaller_core:x86_64 arm64" "Uninstaller:x86_64 arm64" \
            "uninstaller_test_authorization:x86_64" "uninstaller_tests:x86_64"; do
    IFS=: read -r target archs <<< "$what"
    rules="$(rules_of "$target")"
    [ -n "$rules" ] || { echo "macOS check: the configuration has no target $target"; exit 1; }
    # One line of words; flags.make escapes the version's quotes for a shell.
    echo "$(flags_of "$rules" CXX_DEFINES) $(flags_of "$rules" CXX_INCLUDES)" \
         "$(flags_of "$rules" CXX_FLAGS)" | sed 's/\\"/"/g' > "$WORK/$target.flags"

    for arch in $archs; do
        for source in $(sources_of "$rules"); do
            echo "$arch $target $source" >> "$jobs"
        done
    done
done

compile() { # architecture, target, source
    local log="$logs/$1-$(echo "$3" | tr / _).log" toolchain flags
    read -r -a toolchain <<< "$(toolchain_for "$1")"
    read -r -a flags < "$WORK/$2.flags"
    "$CLANG" "${toolchain[@]}" "${flags[@]}" "$ROOT/$3" > "$log" 2>&1 || touch "$log.failed"
}
export -f compile toolchain_for
export ROOT WORK HEADERS DEPLOYMENT_TARGET CLANG LLVM_ROOT CLANG_HEADERS logs

xargs -P "$(nproc)" -L 1 bash -c 'compile "$@"' _ < "$jobs"

status=0
files=$(wc -l < "$jobs")
failed=$(find "$logs" -name '*.failed' | wc -l)
# Our own code is everything under the checkout but the framework.
warnings=$(cat "$logs"/*.log | grep -E "^$ROOT/[^:]*:[0-9]+:[0-9]+: warning: " | sort -u)

if [ "$failed" -ne 0 ]; then
    echo "macOS check: $failed of $files compilations failed:"
    cat "$logs"/*.log | grep -E '(fatal )?error: ' | sort -u | head -40
    status=1
fi

if [ -n "$warnings" ]; then
    echo "macOS check: warnings in our own code:"
    echo "$warnings"
    status=1
fi

# The bundle, as the framework will lay it out from this configuration.
generated="$build/Uninstaller_artefacts/JuceLibraryCode"
plist="$generated/Uninstaller/Info.plist"

plist_value() { # key: the string, or the strings of an array joined by spaces
    tr -d '\r\n' < "$plist" | grep -o "<key>$1</key> *<\(string\|array\)>[^<]*\(<string>[^<]*</string> *\)*" \
        | sed -E -e "s|<key>$1</key> *||" -e 's|</?(string\|array)>| |g' | xargs
}

expect() { # what, found, wanted
    if [ "$2" != "$3" ]; then
        echo "macOS check: $1 is '$2', not '$3'"
        status=1
    fi
}

# The identity that CMakeLists.txt writes once.
configured() { configured_value "$build" "$1" || echo "(not configured)"; }
expect "CFBundleIdentifier" "$(plist_value CFBundleIdentifier)" "$(configured APP_ID)"
expect "CFBundleShortVersionString" "$(plist_value CFBundleShortVersionString)" "$(configured VERSION)"
expect "CFBundleExecutable" "$(plist_value CFBundleExecutable)" "$(configured PRODUCT_NAME)"
expect "CFBundleDevelopmentRegion" "$(plist_value CFBundleDevelopmentRegion)" en
expect "CFBundleLocalizations" "$(plist_value CFBundleLocalizations)" "en ja"
expect "LSMinimumSystemVersion" "$(plist_value LSMinimumSystemVersion)" "$DEPLOYMENT_TARGET"
expect "CFBundleIconFile" "$(plist_value CFBundleIconFile)" Icon.icns
expect "the icon's first bytes" "$(head -c 4 "$generated/Icon.icns" 2>/dev/null)" icns

expect "the architectures" "$(cache_value CMAKE_OSX_ARCHITECTURES)" "arm64;x86_64"
expect "the hardened runtime" \
    "$(tr '\036\037' '\n=' < "$generated/Info.txt" | sed -n 's/^HARDENED_RUNTIME_ENABLED=//p')" TRUE

for language in en ja; do
    grep -q "Contents/Resources/$language.lproj/" "$build/CMakeFiles/Uninstaller.dir/build.make" \
        || { echo "macOS check: the bundle has no $language.lproj folder"; status=1; }
done

# The helper that the Security framework starts, and the dialog's PNG icon.
grep -q 'Contents/Helpers' "$build/CMakeFiles/Uninstaller.dir/build.make" \
    || { echo "macOS check: the bundle does not carry the helper in Contents/Helpers"; status=1; }
grep -q 'Contents/Resources/PromptIcon.png' "$build/CMakeFiles/Uninstaller.dir/build.make" \
    || { echo "macOS check: the bundle has no PromptIcon.png for the password dialog"; status=1; }
# The licences that go with the program.
for notice in LICENSE Notices.txt; do
    grep -q "Contents/Resources/$notice" "$build/CMakeFiles/Uninstaller.dir/build.make" \
        || { echo "macOS check: the bundle does not carry $notice"; status=1; }
done

if [ $status -eq 0 ]; then
    echo "macOS check: $files compilations clean, the bundle as it should be ($((SECONDS - start)) s)"
fi
exit $status
