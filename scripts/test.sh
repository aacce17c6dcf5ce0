#!/bin/sh
# Installs what is missing, builds Nutrivo and runs every test: the suites in
# an ordinary build, again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the engine's fuzz target for a bounded time.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh

install_missing $BUILD_PACKAGES $FONT_PACKAGES $PRINT_TEST_PACKAGES $PACKAGE_TEST_PACKAGES \
    $ACCESSIBILITY_TEST_PACKAGES $FUZZ_PACKAGES $SERVER_TEST_PACKAGES

echo "== the test suites"
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DNUTRIVO_ALL_TESTS=ON
(cd build && as_user ctest --output-on-failure)

echo "== the test suites under AddressSanitizer and UndefinedBehaviorSanitizer"
build build-asan -DCMAKE_BUILD_TYPE=Debug -DNUTRIVO_SANITIZE=ON -DBUILD_TESTING=ON -DNUTRIVO_ALL_TESTS=ON
(cd build-asan && UBSAN_OPTIONS=print_stacktrace=1 as_user ctest --output-on-failure \
    --exclude-regex 'debian_package|install_tree|screen_reader')

echo "== the engine's fuzz target"
CC=clang CXX=clang++ build build-fuzz -DNUTRIVO_FUZZ=ON
(cd build-fuzz && as_user ctest --output-on-failure)
