# One helper per kind of target, so every library, test and benchmark is set up alike.

# vantor_add_library(<name> SOURCES ... DEPENDS ...)
function(vantor_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    target_precompile_headers(${name} PRIVATE
        <QtCore/QString> <QtGui/QImage> <QtGui/QPainter> <QtWidgets/QWidget>
        <functional> <memory> <string> <vector>)
endfunction()

# vantor_add_test(<name> SOURCES ... DEPENDS ...): one GoogleTest executable per library,
# run by CTest offscreen at 96 DPI so font metrics match on every machine.
function(vantor_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} vantor_test_support
                          GTest::gtest GTest::gmock)
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <QtCore/QString> <QtWidgets/QWidget>)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp"
        TIMEOUT 600)
endfunction()

# vantor_add_benchmark(<name> SOURCES ... DEPENDS ...)
function(vantor_add_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} vantor_benchmark_main)
    set_property(GLOBAL APPEND PROPERTY VANTOR_BENCHMARKS ${name})
endfunction()
