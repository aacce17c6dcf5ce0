# Shared by start.sh and test.sh: the Debian packages Nutrivo needs, and the build.

# Compiler, CMake, Qt 6 (Widgets, PrintSupport, Sql, Test), Qt's SQLite driver
# for the archive and its PostgreSQL driver for a practice's server (neither
# pulled in by qt6-base-dev), libpq's header, for the socket of a session a
# server leaves unanswered, CUPS, which tells when a print queue refuses a
# job, and Qt's own translations, for its dialogs.
BUILD_PACKAGES="g++ make cmake qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libpq-dev libcups2-dev qt6-translations-l10n"
# Close substitutes for the faces the windows name: a sans serif for
# "MS Sans Serif", a wide face for the Copperplate ones, scripts for
# "Forte" and "Rage Italic".
FONT_PACKAGES="fonts-liberation fonts-karmilla fonts-kaushanscript fonts-dancingscript"
# The tests' own print scheduler with a PDF printer, PDF tools to read what it
# printed, and Qt's window-system interface to hand the focus to "another
# application".
PRINT_TEST_PACKAGES="cups-daemon cups-client printer-driver-cups-pdf poppler-utils qt6-base-private-dev"
# Validators for the desktop files, the Debian package tools and lintian, and
# a virtual display with a window lister to see the installed program start.
PACKAGE_TEST_PACKAGES="desktop-file-utils appstream dpkg-dev file lintian xvfb xauth x11-utils"
# The accessibility bus and its Python reader, to read the main window as a
# screen reader does.
ACCESSIBILITY_TEST_PACKAGES="dbus at-spi2-core python3-pyatspi"
# clang and its libFuzzer, for the engine's fuzz target: the versionless
# package follows each release's default clang (14 on Debian 12, 19 on 13).
FUZZ_PACKAGES="clang libclang-rt-dev"
# A PostgreSQL server that the archive's suites start in a folder of their own,
# openssl for the certificates of its TLS test, and the time zones for a test
# in Rome's (Debian 13's base leaves them out).
SERVER_TEST_PACKAGES="postgresql openssl tzdata"
# A virtual display and a screenshot when there is no display.
DISPLAY_PACKAGES="xvfb xauth imagemagick"

install_missing()
{
    missing=""
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# Through sudo, build and run as the user who asked, so the build stays theirs.
as_user()
{
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
        runuser -u "$SUDO_USER" -- "$@"
    else
        "$@"
    fi
}

# build FOLDER [CMAKE ARGUMENTS...]
build()
{
    folder=$1
    shift
    as_user cmake -S . -B "$folder" "$@" >/dev/null
    as_user cmake --build "$folder" --parallel "$(nproc)"
}
