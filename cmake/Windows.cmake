# Flags, code generators and test helpers shared by every Windows target.

# Nothing but Windows system DLLs at run time.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_options(-Wall -Wextra)
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 STRICT)

# Programs, libraries and tests lie side by side, as they do once installed
# (the manager finds its help file beside it, Setup its script).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(CHIMEBOX_ARCH STREQUAL "x86_64")
  set(CHIMEBOX_WIDL_FLAGS -m64)
else()
  set(CHIMEBOX_WIDL_FLAGS -m32)
endif()
set(CHIMEBOX_WIDL ${CHIMEBOX_ARCH}-w64-mingw32-widl)
set(CHIMEBOX_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(CHIMEBOX_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

# Tests run only in the x86_64 build: these machines cannot execute 32-bit code.
if(CHIMEBOX_ARCH STREQUAL "x86_64")
  set(CHIMEBOX_RUN_TESTS ON)
else()
  set(CHIMEBOX_RUN_TESTS OFF)
endif()
set(CHIMEBOX_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set(CHIMEBOX_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CHIMEBOX_WINE_RUN} --prefix ${CHIMEBOX_WINE_ROOT}/default)

if(BUILD_TESTING)
  include(GoogleTestSources)
endif()

# chimebox_product(target): shipped code builds warning-free.
function(chimebox_product target)
  target_compile_options(${target} PRIVATE -Werror)
endfunction()

# chimebox_compact(target): code of the programs that ship in the package
# with a size to keep: no exceptions, run-time type data or unwind tables,
# and every function and object in a section of its own, so that the
# linker's --gc-sections drops what is not used.
function(chimebox_compact target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections)
endfunction()

# chimebox_widl(idl OUT_VAR): header, GUID definitions and type library of
# an IDL file, written to the current binary folder. OUT_VAR_HEADER,
# OUT_VAR_GUIDS and OUT_VAR_TLB name the three files.
function(chimebox_widl idl out)
  get_filename_component(base ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR})
  set(flags ${CHIMEBOX_WIDL_FLAGS} -I${CHIMEBOX_WINE_IDL_DIR} -L${CHIMEBOX_STDOLE_DIR})
  add_custom_command(
    OUTPUT ${dir}/${base}.h ${dir}/${base}_i.c ${dir}/${base}.tlb
    COMMAND ${CHIMEBOX_WIDL} ${flags} -h -o ${dir}/${base}.h ${idl_abs}
    COMMAND ${CHIMEBOX_WIDL} ${flags} -u -o ${dir}/${base}_i.c ${idl_abs}
    COMMAND ${CHIMEBOX_WIDL} ${flags} -t -o ${dir}/${base}.tlb ${idl_abs}
    DEPENDS ${idl_abs}
    COMMENT "widl ${base}.idl"
    VERBATIM)
  set(${out}_HEADER ${dir}/${base}.h PARENT_SCOPE)
  set(${out}_GUIDS ${dir}/${base}_i.c PARENT_SCOPE)
  set(${out}_TLB ${dir}/${base}.tlb PARENT_SCOPE)
endfunction()

# chimebox_test(name sources... [LIBS libs...] [PREFIX wine-prefix-name] [PROPERTIES ...])
# A GoogleTest program whose cases ctest runs one by one under Wine. PREFIX
# gives the program a Wine prefix of its own under build/x86_64/wine/ (made
# from the template on first use); without it the cases share "default".
function(chimebox_test name)
  cmake_parse_arguments(T "" "PREFIX" "LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  if(NOT CHIMEBOX_RUN_TESTS)
    return()
  endif()
  if(T_PREFIX)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
      "${CHIMEBOX_WINE_RUN};--prefix;${CHIMEBOX_WINE_ROOT}/${T_PREFIX}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 ${T_PROPERTIES})
endfunction()

# chimebox_wine_path(OUT path): the Windows name Wine gives a host path
# (drive Z: is the host's root), for tests that open build outputs.
# OUT_C is the same name escaped for a C string literal.
function(chimebox_wine_path out path)
  string(REPLACE "/" "\\" win "${path}")
  string(REPLACE "/" "\\\\" win_c "${path}")
  set(${out} "Z:${win}" PARENT_SCOPE)
  set(${out}_C "Z:${win_c}" PARENT_SCOPE)
endfunction()
