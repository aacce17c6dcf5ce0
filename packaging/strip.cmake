# Run by CPack on the staged files: strips the program as Debian's dh_strip
# does, symbols and the compiler's comment section both out.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/nutrivo")
if(NOT programs)
    message(FATAL_ERROR "no program staged in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                            --strip-unneeded ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
