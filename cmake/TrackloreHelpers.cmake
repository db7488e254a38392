# Shared build settings: warnings, sanitizers, tests.

# Warnings (and, when asked for, sanitizers) for one target.
function(tracklore_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(TRACKLORE_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(TRACKLORE_FUZZ)
        target_compile_options(${target} PRIVATE
            -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# tracklore_add_test(NAME SOURCES... [LIBS ...]): one GoogleTest program, registered with CTest.
function(tracklore_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tracklore_test_support tracklore_core ${ARG_LIBS}
        GTest::gtest GTest::gmock)
    tracklore_warnings(${name})
    gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "LANG=C.UTF-8;LC_ALL=")
endfunction()
