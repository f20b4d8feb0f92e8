# The dialogs the reading window runs: go-to-page, vocabulary size, the word
# popup and the About box. Included by src/shell/CMakeLists.txt; paths are taken
# from this file's own folder so that any includer can use it.

set(VELLUMWISE_HOMEPAGE_URL "https://vellumwise.example.org/"
    CACHE STRING "The product web page the About box links to")

# The rules for typed integers, without Qt, so that they can be unit-tested and
# fuzzed alone. The vocabulary table is the document's.
add_library(vellumwise_dialog_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DialogInteger.cpp ${CMAKE_CURRENT_LIST_DIR}/DialogInteger.h)
target_include_directories(vellumwise_dialog_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_features(vellumwise_dialog_rules PUBLIC cxx_std_20)
vellumwise_warnings(vellumwise_dialog_rules)

if(NOT TARGET Qt6::Widgets OR NOT TARGET Qt6::Test)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Gui Test)
endif()

add_library(vellumwise_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CAboutDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/CGlossPopupDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CGlossPopupDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/CGotoPageDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CGotoPageDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/CLinkLabel.cpp ${CMAKE_CURRENT_LIST_DIR}/CLinkLabel.h
  ${CMAKE_CURRENT_LIST_DIR}/CVocabularyDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/CVocabularyDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/OkCancelRow.cpp ${CMAKE_CURRENT_LIST_DIR}/OkCancelRow.h)
add_library(Vellumwise::dialogs ALIAS vellumwise_dialogs)
set_target_properties(vellumwise_dialogs PROPERTIES AUTOMOC ON)
target_include_directories(vellumwise_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vellumwise_dialogs PUBLIC vellumwise_dialog_rules vellumwise_document Qt6::Widgets Qt6::Gui)
target_compile_definitions(vellumwise_dialogs PRIVATE
  VELLUMWISE_HOMEPAGE_URL="${VELLUMWISE_HOMEPAGE_URL}")
vellumwise_warnings(vellumwise_dialogs)

# The help page travels beside the executables, in the build tree as once installed,
# so the help command can fall back to the copy next to the program.
if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(_vellumwise_help_dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
else()
  set(_vellumwise_help_dir ${CMAKE_BINARY_DIR}/bin)
endif()
get_filename_component(_vellumwise_help_source ${CMAKE_CURRENT_LIST_DIR}/../../resources/help.htm ABSOLUTE)
add_custom_command(
  OUTPUT ${_vellumwise_help_dir}/help.htm
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_vellumwise_help_dir}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_vellumwise_help_source} ${_vellumwise_help_dir}/help.htm
  DEPENDS ${_vellumwise_help_source}
  COMMENT "Copying help.htm beside the executables")
add_custom_target(vellumwise_help ALL DEPENDS ${_vellumwise_help_dir}/help.htm)
include(GNUInstallDirs)
install(FILES ${_vellumwise_help_source} DESTINATION ${CMAKE_INSTALL_LIBDIR}/vellumwise)
