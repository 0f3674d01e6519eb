# The maker's codec libraries in the Windows build: static libraries that the native build
# compiled from Debian's source packages (scripts/build-mingw-codecs) into
# GD_MINGW_CODECS_DIR. Each becomes an imported target that carries its own dependencies,
# so static linking gets them in the right order.

# The folders exist before the codecs are built, so the Windows build can be configured and
# build what needs no codec (the runtime template of `make run`) first.
file(MAKE_DIRECTORY "${GD_MINGW_CODECS_DIR}/include/openjpeg-2.5")

function(gd_codec_library name file)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION "${GD_MINGW_CODECS_DIR}/lib/${file}"
    INTERFACE_INCLUDE_DIRECTORIES "${GD_MINGW_CODECS_DIR}/include")
endfunction()

gd_codec_library(gd_codec_zlib libz.a)
gd_codec_library(gd_codec_jpeg libjpeg.a)
gd_codec_library(gd_codec_gif libgif.a)
gd_codec_library(gd_codec_jbig libjbig.a)
gd_codec_library(gd_codec_png libpng16.a)
gd_codec_library(gd_codec_tiff libtiff.a)
gd_codec_library(gd_codec_openjp2 libopenjp2.a)
gd_codec_library(gd_codec_webp libwebp.a)
gd_codec_library(gd_codec_webpdemux libwebpdemux.a)
gd_codec_library(gd_codec_lcms2 liblcms2.a)

# libheif and libde265 (LGPL) are DLLs that ship beside the programs holding them, so a
# user can put other builds in their place (libheif holds dav1d, for AVIF); the programs
# link their import libraries.
function(gd_codec_dll name dll)
  add_library(${name} SHARED IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES
    IMPORTED_LOCATION "${GD_MINGW_CODECS_DIR}/bin/${dll}.dll"
    IMPORTED_IMPLIB "${GD_MINGW_CODECS_DIR}/lib/${dll}.dll.a"
    INTERFACE_INCLUDE_DIRECTORIES "${GD_MINGW_CODECS_DIR}/include")
endfunction()
gd_codec_dll(gd_codec_de265 libde265)
gd_codec_dll(gd_codec_heif libheif)

# Copies the codec DLLs beside a program of the Windows build.
function(gd_copy_codec_dlls target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${GD_MINGW_CODECS_DIR}/bin/libheif.dll"
            "${GD_MINGW_CODECS_DIR}/bin/libde265.dll" "$<TARGET_FILE_DIR:${target}>")
endfunction()

set_property(TARGET gd_codec_png PROPERTY INTERFACE_LINK_LIBRARIES gd_codec_zlib)
set_property(TARGET gd_codec_tiff PROPERTY INTERFACE_LINK_LIBRARIES gd_codec_jpeg gd_codec_jbig gd_codec_zlib)
set_property(TARGET gd_codec_webpdemux PROPERTY INTERFACE_LINK_LIBRARIES gd_codec_webp)
set_target_properties(gd_codec_openjp2 PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${GD_MINGW_CODECS_DIR}/include/openjpeg-2.5"
  INTERFACE_COMPILE_DEFINITIONS OPJ_STATIC)
