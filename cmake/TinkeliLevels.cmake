# The program is built in levels: records -> graphics -> controls/images ->
# pages -> app -> tools (tinkeli-tool renders the program's own pages). A library may only link libraries of a lower level, and
# only records stays free of Qt. tinkeli_library() refuses any other link at
# configure time, so an upward dependency cannot creep in.
# SPDX-License-Identifier: GPL-3.0-or-later

set(_tinkeli_levels records=1 graphics=2 images=3 controls=3 pages=4 app=5 tools=6)

function(_tinkeli_level_of name out)
  foreach(pair IN LISTS _tinkeli_levels)
    string(REPLACE "=" ";" kv "${pair}")
    list(GET kv 0 k)
    list(GET kv 1 v)
    if(name STREQUAL k OR name MATCHES "^${k}_")
      set(${out} ${v} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "tinkeli: '${name}' has no level")
endfunction()

# tinkeli_library(NAME LEVEL_NAME SOURCES ... DEPENDS ... QT ...)
#   NAME      target name (records, graphics, pages_portrait, ...)
#   DEPENDS   other tinkeli libraries; each must sit on a lower level
#   QT        Qt modules (Gui, Widgets, ...); records may not name any
function(tinkeli_library name)
  cmake_parse_arguments(T "" "" "SOURCES;DEPENDS;QT" ${ARGN})
  _tinkeli_level_of(${name} mine)
  foreach(dep IN LISTS T_DEPENDS)
    _tinkeli_level_of(${dep} theirs)
    if(NOT theirs LESS mine)
      message(FATAL_ERROR "tinkeli: ${name} (level ${mine}) may not link ${dep} (level ${theirs})")
    endif()
  endforeach()
  if(mine EQUAL 1 AND T_QT)
    message(FATAL_ERROR "tinkeli: ${name} must not use Qt")
  endif()
  if(mine EQUAL 2)
    foreach(mod IN LISTS T_QT)
      if(NOT mod MATCHES "^(Core|Gui|Svg)$")
        message(FATAL_ERROR "tinkeli: ${name} may use Qt Core, Gui and Svg only, not ${mod}")
      endif()
    endforeach()
  endif()
  add_library(${name} STATIC ${T_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${T_DEPENDS})
  foreach(mod IN LISTS T_QT)
    target_link_libraries(${name} PUBLIC Qt6::${mod})
  endforeach()
  if(mine EQUAL 1)
    # records must not even see Qt headers.
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  endif()
endfunction()

# tinkeli_test(NAME SOURCES ... DEPENDS ...): one GoogleTest program.
# Qt tests run offscreen; tests/support/test_main.cpp sets that up.
function(tinkeli_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPENDS} GTest::gtest GTest::gmock)
  if(T_QT)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
    target_link_libraries(${name} PRIVATE Qt6::Widgets Qt6::Test)
    # QTRY_COMPARE and QTRY_VERIFY fail the Google Test that waits in vain.
    target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/support/qtry_gtest.h)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    TINKELI_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TINKELI_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
