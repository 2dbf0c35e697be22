# Run as: cmake -DBUILD_DIR=<build tree> -P InstallTest.cmake
#
# Installs the build into a scratch prefix under the system's temporary folder
# (outside the source tree, so no data/ folder above the program can stand in
# for the installed data) and runs the installed wizhost from another folder
# with WIZ_DATA_DIR unset. Then takes the data away: commands that need it
# refuse with one line, the others keep working.

if(NOT BUILD_DIR)
  message(FATAL_ERROR "BUILD_DIR is not set")
endif()
set(tmp "$ENV{TMPDIR}")
if(NOT tmp)
  set(tmp "/tmp")
endif()
string(RANDOM LENGTH 10 tag)
set(prefix "${tmp}/wizlib-install-${tag}")
set(work "${prefix}/work")
set(data "${prefix}/share/wizlib")

function(fail what)
  file(REMOVE_RECURSE "${prefix}")
  message(FATAL_ERROR "${what}")
endfunction()

# wizhost(<exit status> <out var> <err var> ARGS...): the installed program
# in ${work}, WIZ_DATA_DIR unset unless WIZ_ENV names one.
function(wizhost expected outVar errVar)
  if(WIZ_ENV)
    set(envArgs "WIZ_DATA_DIR=${WIZ_ENV}")
  else()
    set(envArgs --unset=WIZ_DATA_DIR)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${envArgs} "${prefix}/bin/wizhost" ${ARGN}
    WORKING_DIRECTORY "${work}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected)
    fail("wizhost ${ARGN}: exit ${rc}, expected ${expected}\nstdout: ${out}\nstderr: ${err}")
  endif()
  set(${outVar} "${out}" PARENT_SCOPE)
  set(${errVar} "${err}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("cmake --install failed (${rc}): ${out}${err}")
endif()

foreach(f bin/wizhost share/wizlib/solver/zqflow.def share/wizlib/solver/zqtrans.rng
          share/wizlib/machines/kx150.imm share/wizlib/materials/pp_generic.mtl
          share/wizlib/sample-project/project.zqp share/wizlib/scripts/translate-stl.script)
  if(NOT EXISTS "${prefix}/${f}")
    fail("not installed: ${f}")
  endif()
endforeach()
if(EXISTS "${data}/scripts/make_host_data.py")
  fail("the data generator was installed")
endif()

file(MAKE_DIRECTORY "${work}")

# Found from the program's own location.
wizhost(0 out err project init plate)
if(NOT EXISTS "${work}/plate/project.zqp")
  fail("project init made no project")
endif()
wizhost(0 out err units table si)
if(NOT out MATCHES "deg.C")
  fail("units table printed: ${out}")
endif()
# A wizard reads the installed defaults and ranges.
wizhost(0 out err run translate --project plate --node 21 --script "${data}/scripts/translate-stl.script")
if(NOT out MATCHES "result node")
  fail("run translate printed: ${out}")
endif()

# No data anywhere: refused with one line naming where it looked.
file(RENAME "${data}" "${prefix}/elsewhere")
wizhost(2 out err project init plate2)
string(STRIP "${err}" err)
if(err MATCHES "\n" OR NOT err MATCHES "share/wizlib" OR NOT err MATCHES "WIZ_DATA_DIR")
  fail("the refusal was not one line naming share/wizlib and WIZ_DATA_DIR: ${err}")
endif()
if(EXISTS "${work}/plate2")
  fail("project init made a folder without data")
endif()
wizhost(2 out err run translate --project plate --node 21 --script "${prefix}/elsewhere/scripts/translate-stl.script")
# Commands that do not read the data keep working.
wizhost(0 out err units table metric)
wizhost(0 out err kw list "${prefix}/elsewhere/samples/flow_analysis.kwd")
wizhost(0 out err range check "[0:1]" 0.5)

# WIZ_DATA_DIR still names a folder of data explicitly.
set(WIZ_ENV "${prefix}/elsewhere")
wizhost(0 out err project init plate3)
set(WIZ_ENV "${work}")
wizhost(2 out err project init plate4)
if(NOT err MATCHES "WIZ_DATA_DIR")
  fail("a WIZ_DATA_DIR without data was not named: ${err}")
endif()

file(REMOVE_RECURSE "${prefix}")
