# One library target per source folder; a layer may depend only on layers declared before it,
# so the order of declarations in src/CMakeLists.txt is the layering and cycles cannot be written.
# Layers are object libraries: liborvrun.so (for hosts) and liborvrun_full.so (for tests) each take
# the objects of every layer once, so a process linking either has the shared context exactly once.

# orv_layer(<name> <folder> [DEPS <layer>...] [LIBS <external>...])
function(orv_layer name folder)
  cmake_parse_arguments(L "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  foreach(dep IN LISTS L_DEPS)
    if(NOT TARGET orv_${dep})
      message(FATAL_ERROR "layer ${name} depends on ${dep}, which is not declared above it")
    endif()
  endforeach()
  if(sources)
    add_library(orv_${name} OBJECT ${sources})
    set(scope PUBLIC)
  else()
    add_library(orv_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(orv_${name} ${scope} ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  list(TRANSFORM L_DEPS PREPEND orv_)
  target_link_libraries(orv_${name} ${scope} ${L_DEPS} ${L_LIBS})
  set_property(GLOBAL APPEND PROPERTY ORV_LAYERS orv_${name})
endfunction()
