#!/bin/sh
# make demo: the keyword tools on the sample deck (replaced by the wizard run
# once the wizards exist).
set -e
BUILD=${1:-build}
W="$BUILD/wizhost"
echo "\$ wizhost --help"
"$W" --help
echo "\$ wizhost project init $BUILD/demo-project"
rm -rf "$BUILD/demo-project"
"$W" project init "$BUILD/demo-project"
echo "\$ wizhost project tree $BUILD/demo-project"
"$W" project tree "$BUILD/demo-project"
