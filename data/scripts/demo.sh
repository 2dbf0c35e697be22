#!/bin/sh
# make demo: a fresh copy of the sample project, the translator wizard run on
# it by scripts, then the keyword tools on a hand-written flow deck.
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
echo "\$ cat $BUILD/demo-project/plate4.092"
cat "$BUILD/demo-project/plate4.092"
echo "\$ wizhost run translate --project $BUILD/demo-project --node 1 --script data/scripts/translate-iges-mdl.script"
"$W" run translate --project "$BUILD/demo-project" --node 1 --script data/scripts/translate-iges-mdl.script
echo "\$ cat $BUILD/demo-project/plate5.081"
cat "$BUILD/demo-project/plate5.081"
# The warpage and stress wizard on the PP plate's material: a new warpage
# analysis on the plate's supports, then a large deflection stress analysis.
echo "\$ wizhost run warp --project $BUILD/demo-project --node 4 --script data/scripts/warp-new.script"
"$W" run warp --project "$BUILD/demo-project" --node 4 --script data/scripts/warp-new.script
echo "\$ wizhost run stress --project $BUILD/demo-project --node 4 --script data/scripts/stress-large-auto.script"
"$W" run stress --project "$BUILD/demo-project" --node 4 --script data/scripts/stress-large-auto.script
# The keyword tools on a hand-written flow deck: legacy keywords renamed,
# unset (-16384) lines dropped, continued lists joined, numbers as written.
KW="$BUILD/demo-kw"
rm -rf "$KW" && mkdir -p "$KW"
cp data/samples/flow_analysis.kwd "$KW/flow.kwd"
kw_run() { echo "\$ wizhost $*"; "$W" "$@"; }
kw_run kw list "$KW/flow.kwd"
kw_run kw get "$KW/flow.kwd" 3DFLOW_PRESSURE_CONTROL_PROFILE_PRESSURE
kw_run kw set-double "$KW/flow.kwd" 3DFLOW_MELT_TEMPERATURE 235.5
kw_run kw remove "$KW/flow.kwd" 3DFLOW_TOLERANCE
kw_run kw normalize "$KW/flow.kwd" "$KW/flow-clean.kwd"
echo "\$ cat $KW/flow-clean.kwd"
cat "$KW/flow-clean.kwd"
kw_run path location "$KW/flow.kwd"
kw_run path unique "$KW/Mesh12.stl" udm
kw_run path unique "$KW/Mesh12.stl" udm
# The cooling wizard on the plate's material: the mold without inserts gets
# one steel throughout, in a boundary-condition set made at Finish.
echo "\$ wizhost run cool --project $BUILD/demo-project --node 4 --script data/scripts/cool-automatic.script"
"$W" run cool --project "$BUILD/demo-project" --node 4 --script data/scripts/cool-automatic.script
echo "\$ cat $BUILD/demo-project/plainmold*.bc3"
cat "$BUILD"/demo-project/plainmold*.bc3
# The flow wizard on the midplane plate's PP (node 4): a fresh fill and pack.
echo "\$ wizhost run flow --project $BUILD/demo-project --node 4 --script data/scripts/flow-fill-pack.script"
"$W" run flow --project "$BUILD/demo-project" --node 4 --script data/scripts/flow-fill-pack.script
echo "\$ wizhost project tree $BUILD/demo-project"
"$W" project tree "$BUILD/demo-project"
# The flow wizard through every page the valve-gate set brings: times typed
# into the valve-gate grid survive a step back and reach the analysis, each
# on a continued line. The analysis file is the one the run names.
flow_run() {
    echo "\$ wizhost run flow --project $BUILD/demo-project --node $1 --script $2"
    out=$("$W" run flow --project "$BUILD/demo-project" --node "$1" --script "$2")
    echo "$out"
    made=$(echo "$out" | sed -n 's/^file: //p')
}
flow_run 4 data/scripts/flow-valve-gates.script
echo "\$ grep -A2 VALVE_GROUP $BUILD/demo-project/$made"
grep -A2 VALVE_GROUP "$BUILD/demo-project/$made"
# A curing analysis of the epoxy (node 13) with a transfer pot of its own.
flow_run 13 data/scripts/flow-thermoset-pot.script
echo "\$ grep TSET $BUILD/demo-project/$made"
grep TSET "$BUILD/demo-project/$made"
# The analysis preparation wizard from the midplane mesh: the PP is picked
# from the material library, a flow analysis chosen, and the flow wizard it
# opens answered by the same script.
MESH=$("$W" project tree "$BUILD/demo-project" | awk '/ plate1\.zql$/ { print $1; exit }')
echo "\$ wizhost run prepare --project $BUILD/demo-project --node $MESH --script data/scripts/prepare-mesh-flow.script"
"$W" run prepare --project "$BUILD/demo-project" --node "$MESH" --script data/scripts/prepare-mesh-flow.script
echo "\$ wizhost project tree $BUILD/demo-project"
"$W" project tree "$BUILD/demo-project"
# The deck checker on the analysis the preparation made: the wizard's own
# output checks clean; a copy edited by hand (a melt temperature out of the
# solver's range, a solver type it does not know) does not, and kw diff shows
# what the hand changed, in the user's units.
FLOW=$(ls -t "$BUILD/demo-project"/flow*.fin | head -n 1)
echo "\$ wizhost kw check $FLOW"
"$W" kw check "$FLOW" && echo "(clean)"
sed -e 's/^MELT_TEMPERATURE: .*/MELT_TEMPERATURE: 480/' -e 's/^3DFLOW_ANALYSIS_TYPE: .*/3DFLOW_ANALYSIS_TYPE: LAMINAR/' \
    "$FLOW" > "$KW/edited.fin"
echo "\$ wizhost kw check $KW/edited.fin"
"$W" kw check "$KW/edited.fin" || echo "(exit $?: findings)"
echo "\$ wizhost kw diff $FLOW $KW/edited.fin --units english"
"$W" kw diff "$FLOW" "$KW/edited.fin" --units english || true
