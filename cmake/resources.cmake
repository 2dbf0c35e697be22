# The resource scripts (resources/*.rc) are compiled at build time by rcc, a
# host tool built from the same parser the library uses, into one C++ source
# that joins the platform layer. A script error stops the build with
# "FILE:LINE: message".
add_executable(wiz_rcc
  ${CMAKE_SOURCE_DIR}/resources/compiler/rcc.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources/ResourceScript.cpp
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

file(GLOB WIZ_RESOURCE_SCRIPTS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources/*.rc)
list(SORT WIZ_RESOURCE_SCRIPTS)
set(WIZ_RESOURCE_SCRIPTS_ABS "")
foreach(script IN LISTS WIZ_RESOURCE_SCRIPTS)
  list(APPEND WIZ_RESOURCE_SCRIPTS_ABS ${CMAKE_SOURCE_DIR}/${script})
endforeach()

set(WIZ_RESOURCE_OUTPUT ${CMAKE_BINARY_DIR}/generated/ResourceData.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
# Scripts are named relative to the source tree so that messages and the
# templates' recorded origins read the same on every machine.
add_custom_command(
  OUTPUT ${WIZ_RESOURCE_OUTPUT}
  COMMAND wiz_rcc -o ${WIZ_RESOURCE_OUTPUT} -d ${CMAKE_BINARY_DIR}/generated/ResourceData.d ${WIZ_RESOURCE_SCRIPTS}
  DEPENDS wiz_rcc ${WIZ_RESOURCE_SCRIPTS_ABS}
  DEPFILE ${CMAKE_BINARY_DIR}/generated/ResourceData.d
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Compiling resource scripts"
  VERBATIM)
add_custom_target(wiz_resources DEPENDS ${WIZ_RESOURCE_OUTPUT})

list(APPEND WIZ_GENERATED_platform ${WIZ_RESOURCE_OUTPUT})
list(APPEND WIZ_DEPS_platform wiz_resources)
