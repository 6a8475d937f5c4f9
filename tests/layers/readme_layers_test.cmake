# The README's table of layers shows cmake/layers.cmake: the same layers in
# the same order, each with its library, folders and the layers it may use.
#   cmake -DREADME=<README.md> -DLAYERS=<layers.cmake> -P readme_layers_test.cmake
cmake_minimum_required(VERSION 3.25)
include("${LAYERS}")

file(STRINGS "${README}" lines)
set(in_table FALSE)
set(shown)
foreach(line IN LISTS lines)
  if(line STREQUAL "| layer | library | folders | may use |")
    set(in_table TRUE)
  elseif(in_table AND line MATCHES "^\\|")
    if(NOT line MATCHES "^\\|---")
      string(REGEX REPLACE " *\\([^)]*\\)" "" line "${line}")  # notes such as "(Qt GUI)"
      string(REGEX REPLACE "[`,]" "" line "${line}")
      string(REGEX REPLACE " +" " " line "${line}")
      string(REGEX REPLACE "^\\| (.*) \\|? *$" "\\1" line "${line}")
      string(REGEX REPLACE " *\\| *" "|" line "${line}")
      string(REGEX REPLACE "\\|$" "" line "${line}")
      list(APPEND shown "${line}")
    endif()
  elseif(in_table)
    break()
  endif()
endforeach()

set(declared)
foreach(layer IN LISTS FORMET_LAYERS)
  list(JOIN FORMET_LAYER_${layer}_FOLDERS " " folders)
  list(JOIN FORMET_LAYER_${layer}_USES " " uses)
  set(row "${layer}|${FORMET_LAYER_${layer}_LIBRARY}|${folders}")
  if(uses)
    string(APPEND row "|${uses}")
  endif()
  list(APPEND declared "${row}")
endforeach()

if(NOT shown STREQUAL declared)
  list(JOIN shown "\n  " shown_text)
  list(JOIN declared "\n  " declared_text)
  message(FATAL_ERROR "The README's table of layers differs from ${LAYERS}.\n"
                      "The README shows:\n  ${shown_text}\nThe table says:\n  ${declared_text}")
endif()
