# The preview's own build of the show, configured from the sources with
# -DVORLANE_PREVIEW_SHOW=ON (the top-level CMakeLists.txt includes this in
# place of everything else): the scenes, the schedule and the toolkit, with
# the runtime's frame around them, as one shared library that only
# vorlane-preview loads, and the synthesizer, which makes the music from
# the schedule. The preview builds it again as the sources change and loads
# the new library in place of the old. The demo and its releases link all
# of this statically, from their own build.

# The library shows one function; the scenes' and the toolkit's names stay
# inside it, so that two versions loaded one after the other never meet.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)

# An edit should be on screen before whoever made it looks up, on a busy
# machine: the show's own code is compiled for building quickly, not for
# running fast (Mesa's drawing, not this code, takes a frame's time), with
# its big headers precompiled, and linked by lld where there is one. The
# synthesizer keeps the build type's optimisation, without the debug
# information, and with its standard headers precompiled: it makes a whole
# track.
set(fast_build -O1 -g0)
find_program(VORLANE_LLD ld.lld)
if(VORLANE_LLD)
  add_link_options(-fuse-ld=lld)
endif()
set(precompiled <GL/glew.h> <cmath> <map> <string> <utility> <vector>)
# The static libraries between the objects and the library are thin, with
# their index written in the same step: no copy of the objects, no ranlib.
set(CMAKE_CXX_ARCHIVE_CREATE "<CMAKE_AR> qcsT <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_CXX_ARCHIVE_APPEND "<CMAKE_AR> qsT <TARGET> <LINK_FLAGS> <OBJECTS>")
set(CMAKE_CXX_ARCHIVE_FINISH "")

add_compile_options(${fast_build})
add_subdirectory(src/schedule)
add_subdirectory(src/render)
add_subdirectory(src/scenes)
set_property(DIRECTORY PROPERTY COMPILE_OPTIONS -g0)
add_subdirectory(tools/synth)
target_precompile_headers(vorlane_render PRIVATE ${precompiled})
target_precompile_headers(vorlane_scenes PRIVATE ${precompiled})
target_precompile_headers(vorlane_synth PRIVATE <algorithm> <array> <cmath> <cstdint> <functional> <vector>)

set(runtime ${PROJECT_SOURCE_DIR}/src/runtime)
add_library(vorlane_show MODULE ${CMAKE_CURRENT_LIST_DIR}/show_entry.cpp
  ${runtime}/demo_frame.cpp ${runtime}/timeline.cpp ${runtime}/picture_area.cpp ${runtime}/scene_files.cpp)
vorlane_layer_headers(vorlane_show runtime)
target_include_directories(vorlane_show PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(vorlane_show PRIVATE VORLANE_FULLSCREEN=0)
# The scenes are deleted through their own types, never through a base.
target_compile_options(vorlane_show PRIVATE ${fast_build} -Wno-delete-non-virtual-dtor)
target_precompile_headers(vorlane_show PRIVATE ${precompiled} <FTGL/ftgl.h> <functional>)
target_link_libraries(vorlane_show PRIVATE vorlane_scenes vorlane_schedule PkgConfig::GLFW3 PkgConfig::FTGL GLEW::GLEW
  OpenGL::GL)
# A missing name fails the build, not the load. exit() goes through the
# library's own __wrap_exit (show_entry.cpp).
target_link_options(vorlane_show PRIVATE -Wl,--no-undefined -Wl,--wrap=exit)
set_target_properties(vorlane_show PROPERTIES PREFIX "" OUTPUT_NAME vorlane-show
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The preview's working folder: the show's files where the scenes look for
# them, linked to the sources' own data/ and fonts/, so that an edit to a
# picture, a shader or a font in the sources is what the preview sees.
set(files ${CMAKE_BINARY_DIR}/show-files)
file(MAKE_DIRECTORY ${files})
file(CREATE_LINK ${PROJECT_SOURCE_DIR}/data ${files}/data SYMBOLIC)
file(GLOB fonts ${PROJECT_SOURCE_DIR}/fonts/*.ttf)
foreach(font IN LISTS fonts)
  get_filename_component(name ${font} NAME)
  file(CREATE_LINK ${font} ${files}/${name} SYMBOLIC)
endforeach()
