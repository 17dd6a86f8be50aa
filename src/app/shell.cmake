# The application shell's pieces beside the main window: the settings file,
# the CAD list file, the single-instance lock (Windows marks a running copy
# with a window instead) and the target CAD dialog.
add_library(morvex_appshell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cadlistfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ttargetcadform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ttargetcadform.h
)
if(NOT WIN32)
  target_sources(morvex_appshell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp)
endif()
target_include_directories(morvex_appshell PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(morvex_appshell PUBLIC morvex_form Qt6::Widgets)
