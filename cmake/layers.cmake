# One library target per source folder; a layer may depend only on layers declared before it,
# so the order of declarations in src/CMakeLists.txt is the layering and cycles cannot be written.
# Layers are object libraries: liborvrun.so (for hosts) and liborvrun_full.so (for tests) each take
# the objects of every layer once, so a process linking either has the shared context exactly once.
#
# A layer compiles against an include root of its own (build/layers/<name>) holding links to its
# own headers and to those of the layers below it that it depends on, and nothing else: an
# include of a higher layer, or of one it did not declare, is "No such file" and fails the build.
# Tests see every layer through liborvrun_full's include path; hosts see only the public headers.

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
    if(TARGET orv_std_pch)
      target_precompile_headers(orv_${name} REUSE_FROM orv_std_pch)
    endif()
    set(scope PUBLIC)
  else()
    add_library(orv_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  _orv_layer_root(${name} ${folder} "${L_DEPS}")
  if(sources)
    target_include_directories(orv_${name} PRIVATE ${PROJECT_BINARY_DIR}/layers/${name})
  endif()
  list(TRANSFORM L_DEPS PREPEND orv_)
  target_link_libraries(orv_${name} ${scope} ${L_DEPS} ${L_LIBS})
  set_property(GLOBAL APPEND PROPERTY ORV_LAYERS orv_${name})
endfunction()

# Headers are named from src/ (platform/text/text.hpp) or, outside it, from the top (server/...).
function(_orv_include_name header out)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${header})
  string(REGEX REPLACE "^src/" "" rel "${rel}")
  set(${out} ${rel} PARENT_SCOPE)
endfunction()

# Links the layer's headers and its dependencies' (recorded per layer, transitively) into its
# root, made afresh at every configure so that a removed header leaves nothing behind.
function(_orv_layer_root name folder deps)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.hpp
       ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.inc)
  foreach(dep IN LISTS deps)
    get_property(dep_headers GLOBAL PROPERTY ORV_LAYER_HEADERS_${dep})
    list(APPEND headers ${dep_headers})
  endforeach()
  list(REMOVE_DUPLICATES headers)
  set_property(GLOBAL PROPERTY ORV_LAYER_HEADERS_${name} ${headers})
  set(root ${PROJECT_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(header IN LISTS headers)
    _orv_include_name(${header} rel)
    get_filename_component(dir ${root}/${rel} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${header} ${root}/${rel} SYMBOLIC)
  endforeach()
endfunction()
