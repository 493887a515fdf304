# Each library of src/ shows its users its own folder and nothing more of
# src/: they include "render/image_texture.h", and a file of a layer that
# does not link the runtime cannot include "runtime/window.h". A folder of
# the build tree holds one link, named after the layer, to its sources.
function(vorlane_layer_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/layer_headers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
