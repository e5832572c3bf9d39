# GoogleTest from Debian's sources, and the two kinds of test: host tests of the platform-neutral
# core, and Windows tests that run under Wine through the project's wrapper.
enable_testing()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(MAPWELL_WINE_ARCH 64)
    else()
        set(MAPWELL_WINE_ARCH 32)
    endif()
    set(MAPWELL_WINE "${CMAKE_SOURCE_DIR}/scripts/wine-run" --prefix "${CMAKE_BINARY_DIR}/wineprefix"
        --arch ${MAPWELL_WINE_ARCH})
    set(CMAKE_CROSSCOMPILING_EMULATOR "${MAPWELL_WINE}" CACHE STRING "" FORCE)

    # One Wine prefix per build tree, prepared before any Windows test and its server
    # stopped after the last one.
    add_test(NAME wine_prefix_start COMMAND ${MAPWELL_WINE} --start)
    add_test(NAME wine_prefix_stop COMMAND ${MAPWELL_WINE} --stop)
    set_tests_properties(wine_prefix_start PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 900)
    set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_prefix)
endif()

# mapwell_core_test(NAME source... LIBS lib...): a host (or Windows) GoogleTest executable of
# platform-neutral code.
function(mapwell_core_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    if(WIN32)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# mapwell_wine_test(NAME [DESKTOP] SOURCES source... LIBS lib...): a Windows GoogleTest executable
# run under Wine. DESKTOP marks tests that create top-level windows or use the clipboard: they
# share one desktop and run one at a time.
function(mapwell_wine_test name)
    cmake_parse_arguments(T "DESKTOP" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
    if(NOT WIN32)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "MAPWELL_BIN=${CMAKE_BINARY_DIR}/bin")
    if(T_DESKTOP)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
    endif()
endfunction()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
