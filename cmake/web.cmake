# The web agent's server and page. The server library comes from the system
# (cpp-httplib, found through pkg-config), and only wizhost and the web tests
# link it: the library itself stays on the standard library alone. The page's
# static files are compiled into a source of byte arrays.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CPPHTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

file(GLOB WIZ_WEB_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/web/page/*)
list(SORT WIZ_WEB_PAGE_FILES)
# A command line takes no list: the files go as one argument joined by "|".
string(REPLACE ";" "|" wiz_web_page_arg "${WIZ_WEB_PAGE_FILES}")
set(WIZ_WEB_PAGE_SOURCE ${CMAKE_BINARY_DIR}/generated/WebPage.cpp)
add_custom_command(OUTPUT ${WIZ_WEB_PAGE_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${WIZ_WEB_PAGE_SOURCE} "-DFILES=${wiz_web_page_arg}"
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  DEPENDS ${WIZ_WEB_PAGE_FILES} ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
  COMMENT "Compiling the web page into wizhost"
  VERBATIM)

file(GLOB wiz_web_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/web/*.cpp)
add_library(wiz_web STATIC ${wiz_web_srcs} ${WIZ_WEB_PAGE_SOURCE})
target_include_directories(wiz_web PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/layers/platform)
target_compile_options(wiz_web PRIVATE -Werror=unused-result)
target_link_libraries(wiz_web PUBLIC PkgConfig::CPPHTTPLIB Threads::Threads)
