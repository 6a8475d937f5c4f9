# One case of the layer check, on a small tree planted under WORK:
#   cmake -DCASE=<case> -DCHECK=<check_layers.cmake> -DWORK=<scratch folder> -P check_layers_test.cmake
# The trees are checked against the program's own table (beside CHECK),
# except where a case writes a table of its own.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
set(layers "")  # the check's own default: the program's table

function(plant path)
  list(JOIN ARGN "\n" text)
  file(WRITE "${WORK}/src/${path}" "${text}\n")
endfunction()

# Runs the check; `passed` tells whether it passed, `said` what it said.
function(run_check)
  set(args -DSOURCE_DIR=${WORK}/src -DSTAMP=${WORK}/checked.stamp)
  if(layers)
    list(APPEND args -DLAYERS=${layers})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} ${args} -P ${CHECK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc EQUAL 0)
    set(passed TRUE PARENT_SCOPE)
  else()
    set(passed FALSE PARENT_SCOPE)
  endif()
  set(said "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_pass)
  run_check()
  if(NOT passed)
    message(FATAL_ERROR "The check failed a tree that keeps to the layers:\n${said}")
  endif()
  if(NOT EXISTS "${WORK}/checked.stamp")
    message(FATAL_ERROR "The check passed but wrote no stamp")
  endif()
endfunction()

# The check must fail, write no stamp, and say each of the given texts.
function(expect_failure)
  run_check()
  if(passed)
    message(FATAL_ERROR "The check passed a tree that breaks the layers:\n${said}")
  endif()
  if(EXISTS "${WORK}/checked.stamp")
    message(FATAL_ERROR "The check failed but wrote its stamp")
  endif()
  foreach(text IN LISTS ARGN)
    string(FIND "${said}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "The check did not say \"${text}\"; it said:\n${said}")
    endif()
  endforeach()
endfunction()

# A tree that keeps to the layers: a form rule on the store and the records,
# a page on its rules and the kit, a file including one beside it.
plant(store/records.h "#pragma once")
plant(store/global_doc.h "#pragma once" "#include \"store/records.h\"")
plant(records/employees.h "#pragma once" "#include \"store/global_doc.h\"")
plant(records/employees.cpp "#include \"employees.h\"" "#include <vector>")
plant(forms/w2/w2_page_rules.h "#pragma once" "#include \"records/employees.h\"" "#include \"store/records.h\"")
plant(kit/ui/pages.h "#pragma once" "#include \"store/global_doc.h\"")
plant(forms/ui/form_page.h "#pragma once" "#include \"forms/w2/w2_page_rules.h\"" "#include \"kit/ui/pages.h\"")

if(CASE STREQUAL "TreeKeepingToTheLayersPasses")
  expect_pass()
elseif(CASE STREQUAL "RuleIncludingAFormAboveFails")
  plant(store/global_doc.h "#pragma once" "#include \"store/records.h\"" "  #  include \"forms/w2/w2_page_rules.h\"")
  expect_failure(
    "src/store/global_doc.h includes \"forms/w2/w2_page_rules.h\", a file of the forms layer, which the store layer may not use (it may use: legacy)"
    "What breaks the layers of")
elseif(CASE STREQUAL "RuleIncludingItsOwnPagesFails")
  plant(records/ui/employee_page.h "#pragma once")
  plant(records/employees.cpp "#include \"employees.h\"" "#include \"records/ui/employee_page.h\"")
  expect_failure("src/records/employees.cpp includes \"records/ui/employee_page.h\", a file of the records_ui layer, which the records layer may not use")
elseif(CASE STREQUAL "IncludeBesideTheFileIsFollowed")
  # "ui/employee_page.h" is found beside records/employees.cpp, in records/ui.
  plant(records/ui/employee_page.h "#pragma once")
  plant(records/employees.cpp "#include \"employees.h\"" "#include \"ui/employee_page.h\"")
  expect_failure("src/records/employees.cpp includes \"ui/employee_page.h\", a file of the records_ui layer")
elseif(CASE STREQUAL "LayerBesideIsNotBelow")
  # The kit's rules stand on nothing; the store is not theirs to use.
  plant(kit/masked_edit_rules.h "#pragma once" "#include \"store/records.h\"")
  expect_failure("src/kit/masked_edit_rules.h includes \"store/records.h\", a file of the store layer, which the kit layer may not use (it may use: none)")
elseif(CASE STREQUAL "FileInNoLayerFails")
  plant(stray/notes.cpp "#include \"store/records.h\"")
  expect_failure("src/stray/notes.cpp lies in no layer")
elseif(CASE STREQUAL "TableUsingAnUnknownLayerFails")
  set(layers "${WORK}/layers.cmake")
  file(WRITE "${layers}" "set(FORMET_LAYERS low high)\nset(FORMET_LAYER_low_FOLDERS store)\n"
                         "set(FORMET_LAYER_high_FOLDERS records forms kit)\nset(FORMET_LAYER_high_USES low middle)\n")
  expect_failure("the high layer uses \"middle\", which is no layer of the table")
elseif(CASE STREQUAL "TableWithACircleFails")
  set(layers "${WORK}/layers.cmake")
  file(WRITE "${layers}" "set(FORMET_LAYERS low high)\nset(FORMET_LAYER_low_FOLDERS store)\nset(FORMET_LAYER_low_USES high)\n"
                         "set(FORMET_LAYER_high_FOLDERS records forms kit)\nset(FORMET_LAYER_high_USES low)\n")
  expect_failure("uses itself through the layers it uses")
else()
  message(FATAL_ERROR "No case ${CASE}")
endif()
