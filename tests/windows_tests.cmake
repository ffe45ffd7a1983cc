# The Windows test programs: GoogleTest built from Debian's sources (package
# googletest) with the same compiler (it names its targets GTest::gtest and
# GTest::gtest_main itself), and every program run under Wine, in a
# Wine prefix of the build's own that the first test creates.
set(DXFCONV_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
add_subdirectory(${DXFCONV_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its own code is not held to this project's warnings.
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

set(DXFCONV_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(DXFCONV_WINE_ENVIRONMENT WINEPREFIX=${DXFCONV_WINE_PREFIX} WINEDEBUG=-all)
find_program(DXFCONV_WINEBOOT wineboot REQUIRED)
add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -E env ${DXFCONV_WINE_ENVIRONMENT}
  ${DXFCONV_WINEBOOT} -i)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)

# Each program is one test under Wine: starting Wine for every case would
# take longer than the cases.
function(dxfconv_add_windows_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine
    ENVIRONMENT "${DXFCONV_WINE_ENVIRONMENT}" TIMEOUT 300)
endfunction()
