# The native build drives a mingw-w64 build of the same sources in build/mingw, so one
# build command yields the Linux programs, the Windows runtime template and the tests
# that run under Wine.
include(ExternalProject)

# The maker's codec libraries for Windows, built once from Debian's source packages; the
# script only compares its stamps when they are there. Another build's folder may be
# named (the reproducibility test's clones share this build's).
set(GD_MINGW_CODECS_DIR "${CMAKE_BINARY_DIR}/mingw-codecs" CACHE PATH "the Windows codec libraries' folder")
add_custom_target(mingw_codecs
  COMMAND "${CMAKE_SOURCE_DIR}/scripts/build-mingw-codecs" "${GD_MINGW_CODECS_DIR}"
  USES_TERMINAL VERBATIM)

set(windows_args
  -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
  -DCMAKE_BUILD_TYPE=Release
  -DGD_DIST_DIR=${GD_DIST_DIR}
  -DGD_MINGW_CODECS_DIR=${GD_MINGW_CODECS_DIR}/prefix
  -DGD_NATIVE_BINARY_DIR=${CMAKE_BINARY_DIR}
  -DBUILD_TESTING=${BUILD_TESTING})
ExternalProject_Add(windows
  DEPENDS mingw_codecs
  SOURCE_DIR "${CMAKE_SOURCE_DIR}"
  BINARY_DIR "${GD_MINGW_DIR}"
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS ${windows_args}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# Only the runtime template (data/data1.dat), without the codecs, the Windows maker and the
# tests: what `make run` needs to make the sample's screensaver. The Windows build is
# configured here when it has not been yet (the codec libraries are only named by then,
# not needed); the full build above carries on from it later.
add_custom_target(windows_runtime
  COMMAND sh -c "test -f build.ninja || \"$@\" >configure.log || (cat configure.log && false)"
          configure "${CMAKE_COMMAND}" -S "${CMAKE_SOURCE_DIR}" -B . -G Ninja ${windows_args}
  COMMAND "${CMAKE_COMMAND}" --build . --target reelhost
  WORKING_DIRECTORY "${GD_MINGW_DIR}"
  USES_TERMINAL VERBATIM)

# What the sample of `make run` needs: the Linux maker, its program folder and the runtime
# template; nothing else is built.
add_custom_target(sample_programs DEPENDS glimmerdeck maker_program_folder windows_runtime)

# The Windows build lists its tests in this file; ctest reads it when it runs.
set(GD_WINE_TEST_LIST "${GD_MINGW_DIR}/wine_tests.cmake")
if(NOT EXISTS "${GD_WINE_TEST_LIST}")
  file(WRITE "${GD_WINE_TEST_LIST}" "# filled by the Windows build\n")
endif()
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${GD_WINE_TEST_LIST}")
