#!/bin/sh
# Installs what is missing, builds Nutrivo and runs every test.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh

install_missing $BUILD_PACKAGES $FONT_PACKAGES $PRINT_TEST_PACKAGES $PACKAGE_TEST_PACKAGES
build
cd build
as_user ctest --output-on-failure
