# The resource scripts (resources/*.rc) are compiled at build time by rcc, a
# host tool built from the same parser the library uses, into one C++ source
# that joins the platform layer. The scripts of dialogs made only for tests
# are compiled apart, into a source only the tests link
# (WIZ_TEST_RESOURCE_OUTPUT), so the program does not carry them. A script
# error stops the build with "FILE:LINE: message".
add_executable(wiz_rcc
  ${CMAKE_SOURCE_DIR}/resources/compiler/rcc.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceScript.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceExpressions.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceDialogs.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceTokens.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceConstants.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceSet.cpp
  ${CMAKE_SOURCE_DIR}/platform/system/WholeFile.cpp)
target_include_directories(wiz_rcc PRIVATE ${CMAKE_SOURCE_DIR})
if(WIZ_FUZZ)
  # The tool only runs during the build: coverage hooks for the fuzzer would
  # have no driver to link against.
  set_property(TARGET wiz_rcc PROPERTY COMPILE_OPTIONS -Wall -Wextra -Wno-unused-parameter)
  set_property(TARGET wiz_rcc PROPERTY LINK_OPTIONS "")
endif()

# Scripts whose dialogs and strings only tests use.
set(WIZ_TEST_RESOURCE_SCRIPTS tests/keyword/BindingsDemo.rc tests/platform/TestSheet.rc)

file(GLOB WIZ_RESOURCE_SCRIPTS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources/*.rc)
list(SORT WIZ_RESOURCE_SCRIPTS)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)

# wiz_compile_resources(OUTPUT NAME SCRIPTS... [EXTRA]): one generated source
# from the scripts; EXTRA makes it a set that registers itself.
function(wiz_compile_resources name scripts extra)
  set(output ${CMAKE_BINARY_DIR}/generated/${name}.cpp)
  set(abs "")
  foreach(script IN LISTS scripts)
    list(APPEND abs ${CMAKE_SOURCE_DIR}/${script})
  endforeach()
  set(flags "")
  if(extra)
    set(flags --extra)
  endif()
  # Scripts are named relative to the source tree so that messages and the
  # templates' recorded origins read the same on every machine.
  add_custom_command(
    OUTPUT ${output}
    COMMAND wiz_rcc -o ${output} -d ${CMAKE_BINARY_DIR}/generated/${name}.d ${flags} ${scripts}
    DEPENDS wiz_rcc ${abs}
    DEPFILE ${CMAKE_BINARY_DIR}/generated/${name}.d
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    COMMENT "Compiling resource scripts (${name})"
    VERBATIM)
endfunction()

wiz_compile_resources(ResourceData "${WIZ_RESOURCE_SCRIPTS}" OFF)
wiz_compile_resources(TestResourceData "${WIZ_TEST_RESOURCE_SCRIPTS}" ON)
set(WIZ_RESOURCE_OUTPUT ${CMAKE_BINARY_DIR}/generated/ResourceData.cpp)
set(WIZ_TEST_RESOURCE_OUTPUT ${CMAKE_BINARY_DIR}/generated/TestResourceData.cpp)
add_custom_target(wiz_resources DEPENDS ${WIZ_RESOURCE_OUTPUT})
add_custom_target(wiz_test_resources DEPENDS ${WIZ_TEST_RESOURCE_OUTPUT})

list(APPEND WIZ_GENERATED_platform ${WIZ_RESOURCE_OUTPUT})
list(APPEND WIZ_DEPS_platform wiz_resources)
