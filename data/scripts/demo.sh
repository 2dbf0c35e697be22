#!/bin/sh
# make demo: the keyword tools on the sample deck (replaced by the wizard run
# once the wizards exist).
set -e
BUILD=${1:-build}
W="$BUILD/wizhost"
echo "\$ wizhost --help"
"$W" --help
