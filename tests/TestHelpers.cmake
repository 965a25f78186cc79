# linkrake_gtest(NAME SOURCES... LIBS libs... [TIMEOUT s]): one GoogleTest program,
# each of its tests registered with ctest under its own name and with a time limit.
function(linkrake_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE LINKRAKE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# linkrake_qtest(NAME SOURCES... LIBS libs... [TIMEOUT s]): one Qt Test program, one ctest entry,
# run offscreen.
function(linkrake_qtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE LINKRAKE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# The main of widget tests (tests/support/WidgetTestMain.cpp) as a library: a QApplication on the
# offscreen platform around GoogleTest, and a watchdog per test that ends any modal window still
# open after 30 s. Linked before GoogleTest's own main, it is the one taken.
if(TARGET linkrake_framework_testing AND NOT TARGET linkrake_widget_gtest)
  add_library(linkrake_widget_gtest STATIC ${CMAKE_CURRENT_LIST_DIR}/support/WidgetTestMain.cpp)
  target_link_libraries(linkrake_widget_gtest PUBLIC linkrake_framework_testing Qt6::Widgets GTest::gtest)
endif()

# linkrake_widget_gtest(NAME SOURCES... LIBS libs... [TIMEOUT s]): like linkrake_gtest, for
# widgets: the main above, the framework's test kit (framework/testing/) and tests/ on the
# include path (support/TempDir.h), each test run offscreen.
function(linkrake_widget_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} linkrake_widget_gtest)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_compile_definitions(${name} PRIVATE LINKRAKE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
