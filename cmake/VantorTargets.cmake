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

# vantor_add_fuzz_target(<name> SOURCES ... DEPENDS ...): with VANTOR_BUILD_FUZZ a libFuzzer
# executable fuzz_<name> (clang); otherwise replay_<name>, which runs the target once over its
# seed corpus fuzz/corpus/<name> and the inputs that once failed, fuzz/regressions/<name>, as
# a CTest test of the sanitizer build.
function(vantor_add_fuzz_target name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    if(VANTOR_BUILD_FUZZ)
        add_executable(fuzz_${name} ${ARG_SOURCES})
        target_link_libraries(fuzz_${name} PRIVATE ${ARG_DEPENDS} vantor_fuzz_support)
        target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
        add_dependencies(fuzzers fuzz_${name})
        return()
    endif()
    add_executable(replay_${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${ARG_DEPENDS} vantor_fuzz_support)
    set(inputs ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    if(EXISTS ${PROJECT_SOURCE_DIR}/fuzz/regressions/${name})
        list(APPEND inputs ${PROJECT_SOURCE_DIR}/fuzz/regressions/${name})
    endif()
    add_test(NAME replay_${name} COMMAND replay_${name} ${inputs})
    set_tests_properties(replay_${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan.supp"
        TIMEOUT 600)
endfunction()
