# The link map of every program we ship: maps/<target>.map of its build folder. The linker
# writes there which archives and objects went into the program; the third-party notices
# are generated from these maps (maker/package/make-notices) and a test checks them
# against the maps again, so a library linked in cannot go unnamed.
set(GD_LINK_MAP_DIR "${CMAKE_BINARY_DIR}/maps")
file(MAKE_DIRECTORY "${GD_LINK_MAP_DIR}")

function(gd_shipped_program target)
  set(map "${GD_LINK_MAP_DIR}/${target}.map")
  target_link_options(${target} PRIVATE "LINKER:-Map=${map}")
  set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES "${map}")
endfunction()
