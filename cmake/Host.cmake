# Host (Linux) build of the code that includes no Windows header.
add_compile_options(-Wall -Wextra)
if(BUILD_TESTING)
  include(GoogleTestSources)
endif()

# chimebox_product(target): shipped code builds warning-free.
function(chimebox_product target)
  target_compile_options(${target} PRIVATE -Werror)
endfunction()

# chimebox_test(name sources... [LIBS libs...]): a GoogleTest program run natively.
function(chimebox_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)
endfunction()
