# Adds every direct child folder of the current source folder that has a
# CMakeLists.txt, so that each area owns its build file and no shared list
# has to be edited when an area is added.
function(tolvane_add_child_dirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# A portable static library made of every .cpp under the current folder
# except the win32 subfolder, linked to the libraries that follow the name.
function(tolvane_portable_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/win32/")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    tolvane_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
  endif()
  if(ARGN)
    get_target_property(kind ${name} TYPE)
    if(kind STREQUAL "INTERFACE_LIBRARY")
      target_link_libraries(${name} INTERFACE ${ARGN})
    else()
      target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
  endif()
endfunction()

# One GoogleTest executable per folder of tests: every .cpp in it.
function(tolvane_unit_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} tolvane_test_support GTest::gmock_main)
  tolvane_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 120)
endfunction()

# One editor, called from src/editors/<name>/CMakeLists.txt: its portable
# model from the folder's own .cpp files as tolvane_editor_<name> (built on
# every target, tested natively), and on Windows its view from win32/*.cpp
# as tolvane_editor_<name>_win32, which Tolvane.exe links. Libraries that
# follow the name are the view's extra needs (another editor's view it
# opens, say).
function(tolvane_editor name)
  set(model tolvane_editor_${name})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${model} STATIC ${sources})
    target_include_directories(${model} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${model} PUBLIC tolvane_editors)
    tolvane_warnings(${model})
  else()
    add_library(${model} INTERFACE)
    target_link_libraries(${model} INTERFACE tolvane_editors)
  endif()
  if(NOT WIN32)
    return()
  endif()
  file(GLOB view_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
  if(NOT view_sources)
    return()
  endif()
  add_library(${model}_win32 STATIC ${view_sources})
  target_link_libraries(${model}_win32 PUBLIC ${model} tolvane_controls ${ARGN})
  tolvane_warnings(${model}_win32)
  target_link_libraries(tolvane_editor_views INTERFACE ${model}_win32)
endfunction()
