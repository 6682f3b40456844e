# Writes a program's manual page, compressed for installing, from what the built program itself prints, so
# the page follows its --help and --version whatever they become:
#   cmake -DHELP2MAN=... -DPROGRAM=... -DSUMMARY=... [-DCOMMANDS=a;b] [-DINCLUDE=FILE] -DOUTPUT=X.1.gz
#         -P TalpoManPage.cmake
# COMMANDS: subcommands whose own `PROGRAM COMMAND --help` is added as a section of its own, since help2man
# reads only the program's --help. INCLUDE: help2man's include file with the sections no --help has.
cmake_minimum_required(VERSION 3.25)

get_filename_component(work ${OUTPUT} DIRECTORY)
get_filename_component(page ${OUTPUT} NAME_WLE)
set(include_file ${work}/${page}.h2m)
set(text "")
if(DEFINED INCLUDE)
    file(READ ${INCLUDE} text)
endif()

if(COMMANDS)
    string(APPEND text "\n[COMMANDS IN DETAIL]\n")
    foreach(command IN LISTS COMMANDS)
        execute_process(COMMAND ${PROGRAM} ${command} --help
                        OUTPUT_VARIABLE usage RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "${PROGRAM} ${command} --help exited with ${result}")
        endif()
        # roff: a backslash is written \e; a line that starts with a dot or an apostrophe would be a request.
        string(REPLACE "\\" "\\e" usage "${usage}")
        string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" usage "${usage}")
        string(REGEX REPLACE "\n+$" "" usage "${usage}")
        string(APPEND text ".SS ${command}\n.nf\n${usage}\n.fi\n")
    endforeach()
endif()
file(WRITE ${include_file} "${text}")

set(manual ${work}/${page})
execute_process(
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --name=${SUMMARY} --include=${include_file}
            --output=${manual} ${PROGRAM}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
# Compressed as Debian wants it: best compression, no name or time stamp inside.
execute_process(COMMAND gzip -9 -n -c ${manual} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${manual}")
endif()
