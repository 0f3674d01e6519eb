# Fails when the runtime template outgrows its budget. Every made screensaver carries the
# whole template, so a library pulled in by accident (the C++ path class once brought the
# library's locale code along and tripled it) costs every user.
#   cmake -DTEMPLATE=data1.dat -DLIMIT=bytes -P template_size_check.cmake
if(NOT EXISTS "${TEMPLATE}")
  message(FATAL_ERROR "no runtime template at ${TEMPLATE}")
endif()
file(SIZE "${TEMPLATE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "the runtime template is ${size} bytes, over its budget of ${LIMIT}: "
                      "check what the runtime links (a linker map shows which object pulls what)")
endif()
message(STATUS "runtime template: ${size} bytes of ${LIMIT}")
