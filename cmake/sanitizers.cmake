# Instrumented builds of the native tree.
#
# GD_SANITIZE: "address,undefined" or "thread" compiles and links every native target
# with those sanitizers (gcc or clang); any report ends the program (scripts/sanitize sets
# halt_on_error and leak detection). The Windows build is left out: it is not native.
# With "thread" only the tests of code that runs threads are built and registered
# (GD_THREADED_ONLY, see gd_add_test): the rest has no thread for the sanitizer to watch.
#
# GD_FUZZ (clang, scripts/fuzz): every library is compiled with coverage instrumentation
# for libFuzzer and with the address and undefined-behaviour sanitizers, so a target sees
# and checks the code it exercises, not only its harness; fuzz/ links the targets.

set(GD_SANITIZE "" CACHE STRING "sanitizers for every native target: address,undefined or thread")

if(GD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "GD_FUZZ needs clang (configure with CC=clang CXX=clang++)")
  endif()
  set(GD_SANITIZE "address,undefined")
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(GD_SANITIZE)
  if(GD_WINDOWS)
    message(FATAL_ERROR "GD_SANITIZE is for the native build")
  endif()
  add_compile_options(-fsanitize=${GD_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${GD_SANITIZE})
endif()

if(GD_SANITIZE MATCHES "thread")
  set(GD_THREADED_ONLY ON)
else()
  set(GD_THREADED_ONLY OFF)
endif()
