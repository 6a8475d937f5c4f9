# Holds every #include "..." of the sources to the table of layers: a file
# may include files of its own layer and of the layers its layer may use,
# directly or through another; every source file must lie in a layer.
#   cmake -DSOURCE_DIR=<src folder> [-DLAYERS=<table>] [-DSTAMP=<file>] -P check_layers.cmake
# LAYERS defaults to layers.cmake beside this script; STAMP is written when
# every include keeps to the table (the build's step uses it). Each include
# that does not is reported with its file, and the script fails.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR)
  message(FATAL_ERROR "check_layers.cmake: give the source folder with -DSOURCE_DIR=<folder>")
endif()
if(NOT DEFINED LAYERS)
  set(LAYERS "${CMAKE_CURRENT_LIST_DIR}/layers.cmake")
endif()
cmake_path(ABSOLUTE_PATH SOURCE_DIR NORMALIZE)
cmake_path(GET SOURCE_DIR PARENT_PATH shown_root)  # files are named from here: src/store/...
include("${LAYERS}")

set(problems)

# The table itself: every layer it uses exists, and no layer uses itself
# through others.
foreach(layer IN LISTS FORMET_LAYERS)
  foreach(used IN LISTS FORMET_LAYER_${layer}_USES)
    if(NOT used IN_LIST FORMET_LAYERS)
      list(APPEND problems "the ${layer} layer uses \"${used}\", which is no layer of the table")
    endif()
  endforeach()
endforeach()
if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The table of layers (${LAYERS}) is wrong:\n  ${text}")
endif()

# What each layer may use, directly or through another.
foreach(layer IN LISTS FORMET_LAYERS)
  set(reach ${FORMET_LAYER_${layer}_USES})
  set(i 0)
  list(LENGTH reach n)
  while(i LESS n)
    list(GET reach ${i} next)
    foreach(used IN LISTS FORMET_LAYER_${next}_USES)
      if(NOT used IN_LIST reach)
        list(APPEND reach ${used})
      endif()
    endforeach()
    math(EXPR i "${i} + 1")
    list(LENGTH reach n)
  endwhile()
  if(layer IN_LIST reach)
    message(FATAL_ERROR "The table of layers (${LAYERS}) is wrong:\n  "
                        "the ${layer} layer uses itself through the layers it uses")
  endif()
  set(reach_${layer} ${reach})
endforeach()

# The layer of a file (its path relative to SOURCE_DIR): that of the longest
# folder of the table holding it, or empty.
function(layer_of path out)
  cmake_path(GET path PARENT_PATH folder)
  set(best "")
  set(best_length -1)
  foreach(layer IN LISTS FORMET_LAYERS)
    foreach(f IN LISTS FORMET_LAYER_${layer}_FOLDERS)
      string(LENGTH "${f}" length)
      string(FIND "${folder}/" "${f}/" at)
      if(length GREATER best_length AND at EQUAL 0)
        set(best ${layer})
        set(best_length ${length})
      endif()
    endforeach()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" LIST_DIRECTORIES false
     "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.hpp" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.cc")
list(SORT sources)
foreach(source IN LISTS sources)
  set(shown "${SOURCE_DIR}/${source}")
  cmake_path(RELATIVE_PATH shown BASE_DIRECTORY "${shown_root}")
  layer_of("${source}" layer)
  if(NOT layer)
    list(APPEND problems "${shown} lies in no layer: name its folder in ${LAYERS}")
    continue()
  endif()
  cmake_path(GET source PARENT_PATH folder)
  file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    # As the compiler looks: beside the including file first, then from the
    # top of the sources.
    set(target "${folder}/${included}")
    cmake_path(NORMAL_PATH target)
    if(NOT EXISTS "${SOURCE_DIR}/${target}" OR target MATCHES "^\\.\\./")
      set(target "${included}")
      cmake_path(NORMAL_PATH target)
    endif()
    if(target MATCHES "^\\.\\./")
      continue()  # outside the sources
    endif()
    layer_of("${target}" target_layer)
    if(NOT target_layer OR target_layer STREQUAL layer OR target_layer IN_LIST reach_${layer})
      continue()
    endif()
    set(allowed "${reach_${layer}}")
    if(allowed)
      list(JOIN allowed ", " allowed)
    else()
      set(allowed "none")
    endif()
    string(CONCAT problem "${shown} includes \"${included}\", a file of the ${target_layer} layer, "
           "which the ${layer} layer may not use (it may use: ${allowed})")
    list(APPEND problems "${problem}")
  endforeach()
endforeach()

if(problems)
  list(LENGTH problems count)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "What breaks the layers of ${LAYERS} (${count}):\n  ${text}")
endif()
if(DEFINED STAMP)
  file(WRITE "${STAMP}" "")
endif()
