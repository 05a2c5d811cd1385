# Helpers shared by every folder's CMakeLists.txt.
#
# ondravell_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [GUI])
#   One GoogleTest program, registered with ctest. Tests labelled "display" or "dbus" are run by
#   scripts/test under xvfb-run and dbus-run-session; everything else runs headless.
function(ondravell_add_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "TZ=Asia/Shanghai;LC_ALL=C.UTF-8")
endfunction()

# ondravell_add_library(<name> <STATIC|SHARED|...> sources...) with the project root on the include path.
function(ondravell_add_library name kind)
    add_library(${name} ${kind} ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# ondravell_add_benchmarks(LIBS <targets...>)
#   One Google Benchmark program per *Bench.cpp of the calling folder, each linked with LIBS.
function(ondravell_add_benchmarks)
    cmake_parse_arguments(B "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Bench.cpp)
    foreach(source ${sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
    endforeach()
endfunction()
