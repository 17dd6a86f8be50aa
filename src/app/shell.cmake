# The application shell's pieces below the main window: the files beside
# the executable (settings, CAD list, tag lists), the single-instance lock
# and the target CAD dialog.
add_library(morvex_appshell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cadlistfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listcollation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sidefiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/taglistfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tagsetlistfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ttargetcadform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ttargetcadform.h
)
target_include_directories(morvex_appshell PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(morvex_appshell PUBLIC Qt6::Widgets)
