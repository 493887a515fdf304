# The libraries as the Linux release archive links them, under the names the
# normal build's searches give. What a default desktop lacks is linked
# statically; OpenAL Soft (the release's own build) and mpg123 (LGPL) stay
# shared objects that the archive carries beside the executable; GL, X11 and
# sound are the host's.
# VORLANE_RELEASE_DEPS lists the prefixes scripts/release-linux-deps makes.

# Not every desktop has GLVND's libOpenGL.so.0; the classic libGL.so.1 is everywhere.
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED)
find_package(X11 REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED freetype2)
pkg_check_modules(MPG123_HEADERS REQUIRED libmpg123)

# A static archive that Debian ships.
function(find_static_archive variable name)
  find_library(${variable} NAMES lib${name}.a REQUIRED)
endfunction()

# A static archive of the release's own builds; never Debian's libgd.a, which
# needs every image codec.
function(find_release_archive variable name)
  find_library(${variable} NAMES lib${name}.a PATHS ${VORLANE_RELEASE_DEPS} PATH_SUFFIXES lib
    REQUIRED NO_DEFAULT_PATH)
endfunction()

find_release_archive(GLFW_ARCHIVE glfw3)
find_release_archive(GD_ARCHIVE gd)
find_static_archive(GLEW_ARCHIVE GLEW)
find_static_archive(GLU_ARCHIVE GLU)
find_static_archive(FTGL_ARCHIVE ftgl)
find_static_archive(FREETYPE_ARCHIVE freetype)
find_static_archive(PNG_ARCHIVE png16)
find_static_archive(ZLIB_ARCHIVE z)
find_static_archive(BROTLIDEC_ARCHIVE brotlidec)
find_static_archive(BROTLICOMMON_ARCHIVE brotlicommon)
find_path(GLFW_INCLUDE_DIR GLFW/glfw3.h PATHS ${VORLANE_RELEASE_DEPS} PATH_SUFFIXES include
  REQUIRED NO_DEFAULT_PATH)
find_path(GD_INCLUDE_DIR gd.h PATHS ${VORLANE_RELEASE_DEPS} PATH_SUFFIXES include REQUIRED NO_DEFAULT_PATH)
find_path(OPENAL_INCLUDE_DIR AL/al.h PATHS ${VORLANE_RELEASE_DEPS} PATH_SUFFIXES include REQUIRED NO_DEFAULT_PATH)
find_library(OPENAL_LIBRARY openal PATHS ${VORLANE_RELEASE_DEPS} PATH_SUFFIXES lib REQUIRED NO_DEFAULT_PATH)
find_library(MPG123_LIBRARY mpg123 REQUIRED)

set_target_properties(OpenGL::GLU PROPERTIES IMPORTED_LOCATION ${GLU_ARCHIVE})

add_library(GLEW::GLEW INTERFACE IMPORTED)
target_link_libraries(GLEW::GLEW INTERFACE ${GLEW_ARCHIVE} OpenGL::GL)
target_compile_definitions(GLEW::GLEW INTERFACE GLEW_STATIC)

add_library(PkgConfig::GLFW3 INTERFACE IMPORTED)
target_include_directories(PkgConfig::GLFW3 INTERFACE ${GLFW_INCLUDE_DIR})
target_link_libraries(PkgConfig::GLFW3 INTERFACE ${GLFW_ARCHIVE} X11::X11 ${CMAKE_DL_LIBS} m)

add_library(PkgConfig::FTGL INTERFACE IMPORTED)
target_include_directories(PkgConfig::FTGL INTERFACE ${FREETYPE_INCLUDE_DIRS})
target_link_libraries(PkgConfig::FTGL INTERFACE ${FTGL_ARCHIVE} OpenGL::GLU OpenGL::GL
  ${FREETYPE_ARCHIVE} ${PNG_ARCHIVE} ${ZLIB_ARCHIVE} ${BROTLIDEC_ARCHIVE} ${BROTLICOMMON_ARCHIVE} m)

add_library(PkgConfig::GD INTERFACE IMPORTED)
target_include_directories(PkgConfig::GD INTERFACE ${GD_INCLUDE_DIR})
target_link_libraries(PkgConfig::GD INTERFACE ${GD_ARCHIVE} ${PNG_ARCHIVE} ${ZLIB_ARCHIVE} m)

add_library(PkgConfig::OPENAL INTERFACE IMPORTED)
target_include_directories(PkgConfig::OPENAL INTERFACE ${OPENAL_INCLUDE_DIR})
target_link_libraries(PkgConfig::OPENAL INTERFACE ${OPENAL_LIBRARY})

add_library(PkgConfig::MPG123 INTERFACE IMPORTED)
target_include_directories(PkgConfig::MPG123 INTERFACE ${MPG123_HEADERS_INCLUDE_DIRS})
target_link_libraries(PkgConfig::MPG123 INTERFACE ${MPG123_LIBRARY})

# libstdc++ and libgcc inside, so the host's may be older than the builder's.
# Dropping unused sections also drops the one part of the static libstdc++
# that needs a newer glibc than Ubuntu 22.04's (random_device's arc4random).
add_link_options(-static-libstdc++ -static-libgcc -Wl,--gc-sections -Wl,--as-needed -s)
# The bundled shared objects sit beside the executable. DT_RPATH rather than
# RUNPATH: it comes before LD_LIBRARY_PATH, so that another OpenAL Soft on a
# user's path cannot stand in for the one the archive was tested with.
set(CMAKE_BUILD_WITH_INSTALL_RPATH ON)
set(CMAKE_INSTALL_RPATH "\$ORIGIN")
add_link_options(-Wl,--disable-new-dtags)
