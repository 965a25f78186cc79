# One GoogleTest program with `main_libs` providing its main: each of its tests registered with
# ctest under its own name, with a time limit, run offscreen.
function(_linkrake_gtest_program name main_libs)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${main_libs})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  target_compile_definitions(${name} PRIVATE LINKRAKE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# linkrake_gtest(NAME SOURCES... LIBS libs... [TIMEOUT s]): a GoogleTest program with
# GoogleTest's own main; tests/ is on the include path (support/TempDir.h).
function(linkrake_gtest name)
  _linkrake_gtest_program(${name} "GTest::gtest;GTest::gtest_main" ${ARGN})
endfunction()

# The main of widget tests (tests/support/WidgetTestMain.cpp) as a library: a QApplication on the
# offscreen platform around GoogleTest, and a watchdog per test that ends any modal window still
# open after 30 s. Linked before GoogleTest's own main, it is the one taken.
if(TARGET linkrake_framework_testing AND NOT TARGET linkrake_widget_gtest)
  add_library(linkrake_widget_gtest STATIC ${CMAKE_CURRENT_LIST_DIR}/support/WidgetTestMain.cpp)
  target_link_libraries(linkrake_widget_gtest PUBLIC linkrake_framework_testing Qt6::Widgets GTest::gtest)
endif()

# linkrake_widget_gtest(NAME SOURCES... LIBS libs... [TIMEOUT s]): like linkrake_gtest, for
# widgets: the main above and the framework's test kit (framework/testing/).
function(linkrake_widget_gtest name)
  _linkrake_gtest_program(${name} linkrake_widget_gtest ${ARGN})
endfunction()
