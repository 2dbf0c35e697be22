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
# The translator wizard, driven by scripts: the STL plate through the 3D
# mesher, then the IGES plate through the MDL translator.
echo "\$ wizhost run translate --project $BUILD/demo-project --node 21 --script data/scripts/translate-stl.script"
"$W" run translate --project "$BUILD/demo-project" --node 21 --script data/scripts/translate-stl.script
echo "\$ wizhost project tree $BUILD/demo-project"
"$W" project tree "$BUILD/demo-project"
echo "\$ cat $BUILD/demo-project/part4.092"
cat "$BUILD/demo-project/part4.092"
echo "\$ wizhost run translate --project $BUILD/demo-project --node 1 --script data/scripts/translate-iges-mdl.script"
"$W" run translate --project "$BUILD/demo-project" --node 1 --script data/scripts/translate-iges-mdl.script
echo "\$ cat $BUILD/demo-project/part5.081"
cat "$BUILD/demo-project/part5.081"
