# The libraries as the browser build links them: GLFW, OpenAL and the GL are
# Emscripten's own, on WebGL 2 (WebGL 1 cannot draw into the half-float
# render targets), under the desktop calls that src/render/*_web.cpp give
# their WebGL meaning; the rest are scripts/build-web-deps' builds in
# VORLANE_WEB_DEPS, under the names the desktop build's searches give.
if(NOT VORLANE_WEB_DEPS)
  message(FATAL_ERROR "Set VORLANE_WEB_DEPS to the folder scripts/build-web-deps prints")
endif()

# A static archive of the web dependencies.
function(find_web_archive variable name)
  find_library(${variable} NAMES lib${name}.a PATHS ${VORLANE_WEB_DEPS}/lib REQUIRED NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH)
endfunction()
find_web_archive(GD_ARCHIVE gd)
find_web_archive(FTGL_ARCHIVE ftgl)
find_web_archive(GLU_ARCHIVE GLU)
find_web_archive(FREETYPE_ARCHIVE freetype)
find_web_archive(PNG_ARCHIVE png16)
find_web_archive(ZLIB_ARCHIVE z)
find_web_archive(MPG123_ARCHIVE mpg123)
set(web_include ${VORLANE_WEB_DEPS}/include)

add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)
add_library(OpenGL::GLU INTERFACE IMPORTED)
target_link_libraries(OpenGL::GLU INTERFACE ${GLU_ARCHIVE})
# Emscripten's GL/glew.h serves the GL's entry points, and its glewInit succeeds.
add_library(GLEW::GLEW INTERFACE IMPORTED)
target_link_libraries(GLEW::GLEW INTERFACE OpenGL::GL)
add_library(PkgConfig::GLFW3 INTERFACE IMPORTED)
target_link_options(PkgConfig::GLFW3 INTERFACE -sUSE_GLFW=3)
# OpenAL Soft's headers, for its extension names; Emscripten plays the sound.
add_library(PkgConfig::OPENAL INTERFACE IMPORTED)
target_include_directories(PkgConfig::OPENAL INTERFACE ${web_include})
target_link_libraries(PkgConfig::OPENAL INTERFACE openal)
add_library(PkgConfig::MPG123 INTERFACE IMPORTED)
target_include_directories(PkgConfig::MPG123 INTERFACE ${web_include})
target_link_libraries(PkgConfig::MPG123 INTERFACE ${MPG123_ARCHIVE})
add_library(PkgConfig::FTGL INTERFACE IMPORTED)
target_include_directories(PkgConfig::FTGL INTERFACE ${web_include} ${web_include}/freetype2)
target_link_libraries(PkgConfig::FTGL INTERFACE ${FTGL_ARCHIVE} OpenGL::GLU ${FREETYPE_ARCHIVE} ${ZLIB_ARCHIVE})
add_library(PkgConfig::GD INTERFACE IMPORTED)
target_include_directories(PkgConfig::GD INTERFACE ${web_include})
target_link_libraries(PkgConfig::GD INTERFACE ${GD_ARCHIVE} ${PNG_ARCHIVE} ${ZLIB_ARCHIVE})

# Makes `target` the page's program, vorlane.js and vorlane.wasm. The page
# (release/web/) downloads the show's files into its file system first, and
# calls it to start and end the show.
function(vorlane_web_program target)
  # Named here, the page's calls are linked from the runtime's library
  # though nothing in the program calls them.
  target_link_options(${target} PRIVATE -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
    -sEXPORTED_FUNCTIONS=_main,_vorlaneStart,_vorlaneEnd,_vorlaneFrameAt
    -sEXPORTED_RUNTIME_METHODS=ccall,FS,addRunDependency,removeRunDependency)
  set_target_properties(${target} PROPERTIES SUFFIX .js)
endfunction()
