# The layers of the program, from the bottom up. Each layer is one library,
# built from the folders under src/ that it names, and may use the layers it
# lists (and what those may use). The build links each library to the
# libraries of the layers it uses and to no other, and check_layers.cmake
# holds every #include under src/ to this table: a file may include files of
# its own layer and of the layers below it that it may use, never one above.
# A file belongs to the layer of the longest folder here that holds it.
#
# The rules (plain C++, no Qt) and the desktop's pages and dialogs (the ui
# layers, Qt Widgets) are two stacks: a ui layer uses its own rules and the ui
# layers below it, a rule never uses a ui layer. The README's layout table
# shows the same layers (a test holds it to this one); change both together.

# formet_layer(<layer> <library> FOLDERS <folders...> [USES <layers...>])
macro(formet_layer layer library)
  cmake_parse_arguments(_formet_layer "" "" "FOLDERS;USES" ${ARGN})
  list(APPEND FORMET_LAYERS ${layer})
  set(FORMET_LAYER_${layer}_LIBRARY ${library})
  set(FORMET_LAYER_${layer}_FOLDERS ${_formet_layer_FOLDERS})
  set(FORMET_LAYER_${layer}_USES ${_formet_layer_USES})
endmacro()

set(FORMET_LAYERS)

# The rules.
formet_layer(legacy     formet_legacy     FOLDERS store/legacy)
formet_layer(store      formet_store      FOLDERS store                                  USES legacy)
formet_layer(kit        formet_kit        FOLDERS kit)
formet_layer(records    formet_records    FOLDERS records                                USES store kit)
formet_layer(forms      formet_forms      FOLDERS forms forms/print forms/w2 forms/1099  USES records)
formet_layer(pdf_protect formet_pdf_protect FOLDERS forms/print/protect)
formet_layer(print_qt   formet_print_qt   FOLDERS forms/print/qt                         USES forms pdf_protect)
formet_layer(import     formet_import     FOLDERS import                                 USES forms)
formet_layer(shell      formet_shell      FOLDERS shell                                  USES import)
formet_layer(cli        formet_cli        FOLDERS cli                                    USES shell print_qt)

# The desktop's pages and dialogs.
formet_layer(kit_ui     formet_kit_ui     FOLDERS kit/ui                                 USES kit store)
formet_layer(store_ui   formet_store_ui   FOLDERS store/ui                               USES kit_ui)
formet_layer(records_ui formet_records_ui FOLDERS records/ui                             USES records store_ui)
formet_layer(forms_ui   formet_forms_ui
             FOLDERS forms/ui forms/print/ui forms/w2/ui forms/1099/ui
             USES forms print_qt records_ui)
formet_layer(import_ui  formet_import_ui  FOLDERS import/ui                              USES import forms_ui)
formet_layer(navbar     formet_navbar     FOLDERS shell/ui/navbar shell/ui/art)
formet_layer(shell_ui   formet_shell_ui   FOLDERS shell/ui                               USES shell import_ui navbar)
