# Shared build settings: warnings, instrumentation, tests.

# The warnings every target of the project is built with. TRACKLORE_WERROR makes them
# errors and adds the stricter set, for g++ and clang alike. Conversions that may change a
# value are warned of in the program's code, not in tests (whose expectations mix integer
# and real numbers freely); changes of sign are left out, as clang counts hundreds of
# deliberate ones between sizes and indexes.
add_library(tracklore_warning_options INTERFACE)
target_compile_options(tracklore_warning_options INTERFACE -Wall -Wextra)
add_library(tracklore_conversion_warnings INTERFACE)
if(TRACKLORE_WERROR)
    target_compile_options(tracklore_warning_options INTERFACE
        -Werror -Wpedantic -Wshadow -Wnon-virtual-dtor)
    target_compile_options(tracklore_conversion_warnings INTERFACE
        -Wconversion -Wno-sign-conversion)
endif()

# Sanitizers and the fuzzer's coverage, when asked for: apart from the warnings, so a
# warnings change never touches them and they never turn into warning options.
add_library(tracklore_instrumentation INTERFACE)
if(TRACKLORE_SANITIZE)
    target_compile_options(tracklore_instrumentation INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(tracklore_instrumentation INTERFACE -fsanitize=address,undefined)
endif()
if(TRACKLORE_FUZZ)
    target_compile_options(tracklore_instrumentation INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(tracklore_instrumentation INTERFACE -fsanitize=address,undefined)
endif()

# tracklore_build_options(TARGET [TEST]): the project's build settings (warnings and
# instrumentation) for one target; TEST for test programs and their helpers.
function(tracklore_build_options target)
    target_link_libraries(${target} PRIVATE
        $<BUILD_INTERFACE:tracklore_warning_options>
        $<BUILD_INTERFACE:tracklore_instrumentation>)
    if(NOT "TEST" IN_LIST ARGN)
        target_link_libraries(${target} PRIVATE $<BUILD_INTERFACE:tracklore_conversion_warnings>)
    endif()
endfunction()

# tracklore_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest program, registered with CTest.
function(tracklore_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tracklore_test_support tracklore_core ${ARG_LIBS}
        GTest::gtest GTest::gmock)
    tracklore_build_options(${name} TEST)
    gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        PROPERTIES LABELS unit ENVIRONMENT "LANG=C.UTF-8;LC_ALL=")
endfunction()
