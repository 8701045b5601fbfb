# Helpers that keep the layer rules in one place.
#
# rw_engine_library(name DEPS ...): a static library of every .cpp in the
#   calling folder. Engine code may link QtCore and other engine libraries
#   only; rw_check_engine_libraries() fails the configure step otherwise.
# rw_ui_library(name DEPS ...): a static library of window code.
# rw_test(name DEPS ...): a GoogleTest program of every test_*.cpp in the
#   calling folder, run by ctest offscreen.
# rw_window_system_test(name [SCALE n] DEPS ...): the same run under an X server of its
#   own (Xvfb) with input sent through it (xdotool).

set_property(GLOBAL PROPERTY RW_ENGINE_TARGETS "")

function(rw_glob_sources out)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB _qrc CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  set(${out} ${_src} ${_hdr} ${_qrc} PARENT_SCOPE)
endfunction()

function(rw_engine_library name)
  cmake_parse_arguments(A "" "PREFIX" "DEPS;SOURCES" ${ARGN})
  rw_glob_sources(src)
  if(NOT src AND NOT A_SOURCES)
    # A layer with no code yet still takes part in the link graph.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE Qt6::Core ${A_DEPS})
    set_property(GLOBAL APPEND PROPERTY RW_ENGINE_TARGETS ${name})
    return()
  endif()
  add_library(${name} STATIC ${src} ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC Qt6::Core ${A_DEPS})
  set_property(GLOBAL APPEND PROPERTY RW_ENGINE_TARGETS ${name})
endfunction()

function(rw_ui_library name)
  cmake_parse_arguments(A "" "PREFIX" "DEPS;SOURCES" ${ARGN})
  rw_glob_sources(src)
  if(NOT src AND NOT A_SOURCES)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE Qt6::Core Qt6::Gui Qt6::Widgets ${A_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${src} ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${A_DEPS})
endfunction()

# The one test-program builder; ENVIRONMENT (one setting) and TIMEOUT say
# how ctest runs it. SOURCES, when given, replaces the folder's .cpp files.
function(_rw_test_program name environment timeout)
  cmake_parse_arguments(A "" "PREFIX" "DEPS;SOURCES" ${ARGN})
  if(A_SOURCES)
    set(src ${A_SOURCES})
  else()
    file(GLOB src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE rw_testsupport ${A_DEPS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST TEST_PREFIX "${A_PREFIX}"
    PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${timeout})
endfunction()

function(rw_test name)
  _rw_test_program(${name} "QT_QPA_PLATFORM=offscreen" 300 ${ARGN})
endfunction()

# SCALE n runs the program's windows at n times their size (the test main
# sets QT_SCALE_FACTOR before the application starts).
function(rw_window_system_test name)
  cmake_parse_arguments(W "" "SCALE" "" ${ARGN})
  if(W_SCALE)
    # The same tests at another scale are told apart by their names.
    _rw_test_program(${name} "RW_XVFB_SCALE=${W_SCALE}" 120 PREFIX "At${W_SCALE}x."
                     ${W_UNPARSED_ARGUMENTS})
  else()
    _rw_test_program(${name} "RW_XVFB=1" 120 ${W_UNPARSED_ARGUMENTS})
  endif()
endfunction()

# Walks the link graph of every engine library and stops the configure step
# when a window-system library shows up in it.
function(_rw_collect_links target out)
  set(seen ${${out}})
  if(NOT TARGET ${target})
    return()
  endif()
  get_target_property(libs ${target} LINK_LIBRARIES)
  get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
  foreach(l IN LISTS libs ilibs)
    if(l AND NOT l MATCHES "NOTFOUND" AND NOT l IN_LIST seen)
      list(APPEND seen ${l})
      _rw_collect_links(${l} seen)
    endif()
  endforeach()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(rw_check_engine_libraries)
  get_property(engines GLOBAL PROPERTY RW_ENGINE_TARGETS)
  foreach(t IN LISTS engines)
    set(all "")
    _rw_collect_links(${t} all)
    foreach(l IN LISTS all)
      if(l MATCHES "Qt6?::(Widgets|Gui|PrintSupport|Charts)")
        message(FATAL_ERROR "Engine library ${t} must not link ${l}")
      endif()
    endforeach()
  endforeach()
endfunction()
