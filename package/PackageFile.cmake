# chimebox_package_file(OUTPUT file STAGE folder ENTRIES name source ... [DEPENDS ...])
# A package: the Package stub with a cabinet appended directly at the end of
# its image. The cabinet is one MSZIP folder made by gcab from the entries,
# each copied to its name (which may hold sub-folders, "a/b/file") in STAGE.
function(chimebox_package_file)
  cmake_parse_arguments(P "" "OUTPUT;STAGE" "ENTRIES;DEPENDS" ${ARGN})
  set(cabinet ${P_STAGE}.cab)
  set(commands COMMAND ${CMAKE_COMMAND} -E rm -rf ${P_STAGE} ${cabinet})
  set(names)
  set(sources)
  list(LENGTH P_ENTRIES count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET P_ENTRIES ${i} name)
    list(GET P_ENTRIES ${j} source)
    get_filename_component(folder ${P_STAGE}/${name} DIRECTORY)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${P_STAGE}/${name})
    list(APPEND names ${name})
    list(APPEND sources ${source})
  endforeach()
  get_filename_component(output_folder ${P_OUTPUT} DIRECTORY)
  add_custom_command(OUTPUT ${P_OUTPUT}
    ${commands}
    COMMAND ${CMAKE_COMMAND} -E chdir ${P_STAGE} gcab --create --zip ${cabinet} ${names}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_folder}
    COMMAND sh -c "cat \"$0\" \"$1\" > \"$2\"" $<TARGET_FILE:Package> ${cabinet} ${P_OUTPUT}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS Package ${sources} ${P_DEPENDS}
    COMMENT "Package ${P_OUTPUT}"
    VERBATIM)
endfunction()
