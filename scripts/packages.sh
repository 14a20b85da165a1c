# Installs the Debian packages named in "$@" that are not installed yet.
# Sourced by the set-up scripts.
install_missing_packages()
{
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done

    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs: git, with which CMake fetches JUCE; the headers
# of what JUCE's modules that we use take from the system (its docs/Linux
# Dependencies.md: FreeType and fontconfig for juce_graphics, X11 for
# juce_gui_basics; cURL and WebKit are switched off); libpng and libjpeg, which
# decode images in place of JUCE's own copies; GIO's headers;
# rsvg-convert, which draws the menu icons; the font that draws the Japanese texts;
# and pkexec, through which the program asks for administrator rights.
BUILD_PACKAGES=(cmake make g++ pkg-config git libfreetype-dev libfontconfig-dev
                libx11-dev libxcomposite-dev libxcursor-dev libxext-dev libxinerama-dev libxrandr-dev
                libxrender-dev libpng-dev libjpeg-dev libglib2.0-dev librsvg2-bin fonts-ipafont-gothic pkexec)

# What cpack needs on top to build the .deb and find its library dependencies.
PACKAGE_PACKAGES=(dpkg-dev file)

# What the test suite needs on top: a headless X server with a window manager,
# the X tools that drive and photograph the window, the test frameworks, the
# checkers of the .deb and of the files it installs, polkit's daemon, a system
# bus and expect, to answer the real prompt, and Ansible, which runs the example
# playbook.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev xvfb xauth openbox xdotool wmctrl x11-utils x11-apps imagemagick
               procps "${PACKAGE_PACKAGES[@]}" desktop-file-utils appstream lintian libxml2-utils
               polkitd pkexec dbus expect ansible-core shellcheck)

# What the syntax-only check of the Mac build needs (scripts/macos-check.sh): clang,
# its C++ library, and C headers for arm64 besides the machine's own.
MACOS_CHECK_PACKAGES=(clang libc++-14-dev libc++abi-14-dev libc6-dev-arm64-cross)

# Installs the validator of GitHub's workflow files, at a fixed version, under the
# folder given; npm comes from Debian when the machine has none.
install_workflow_validator()
{
    local prefix="$1"
    [ -x "$prefix/node_modules/.bin/action-validator" ] && return 0
    command -v npm > /dev/null || install_missing_packages npm
    npm install --prefix "$prefix" --no-audit --no-fund --silent \
        @action-validator/cli@0.6.0 @action-validator/core@0.6.0
}

# The build folder that the scripts share (test-debug.sh makes its own beside it).
BUILD_DIR="$ROOT/build"

# A value that CMake wrote for the scripts into a build folder's script-values.txt:
# PRODUCT_NAME, VERSION, APP_ID, and the paths of PROGRAM and (with the benchmarks)
# BENCHMARKS and BARE_WINDOW.
configured_value() # build folder, name
{
    local value
    value="$(sed -n "s/^$2=//p" "$1/script-values.txt" 2>/dev/null)"
    [ -n "$value" ] || { echo "$1/script-values.txt names no $2: configure that folder again" >&2; return 1; }
    echo "$value"
}

# CMake fetches JUCE from its repository; a builder without network names an
# unpacked copy of the same release in FETCHCONTENT_SOURCE_DIR_JUCE, which every
# configuration here passes on.
JUCE_SOURCE_OPTIONS=()
[ -z "${FETCHCONTENT_SOURCE_DIR_JUCE:-}" ] \
    || JUCE_SOURCE_OPTIONS=("-DFETCHCONTENT_SOURCE_DIR_JUCE=$FETCHCONTENT_SOURCE_DIR_JUCE")

# JUCE builds its juceaide with a plain "cmake --build" while configuring: on every core.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"

configure_and_build()
{
    local build_dir="$1"; shift
    cmake -S "$ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${JUCE_SOURCE_OPTIONS[@]}" "$@"
    cmake --build "$build_dir" --parallel "$(nproc)"
}
