# Installs the build in BUILD_DIR into a fresh folder and checks what a user gets:
# both programs on the path, the samples beside the editor, the desktop files and
# the manual pages; and that the installed pcltool runs.
if(NOT BUILD_DIR)
    message(FATAL_ERROR "BUILD_DIR is not set")
endif()
set(temp $ENV{TMPDIR})
if(NOT temp)
    set(temp /tmp)
endif()
string(RANDOM LENGTH 10 suffix)
set(prefix ${temp}/tessel-install-${suffix})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
set(failures)
if(NOT result EQUAL 0)
    list(APPEND failures "cmake --install failed: ${errors}")
endif()

foreach(file
        bin/tessel bin/pcltool lib/tessel/bin/tessel lib/tessel/bin/tessel-listing-pdf
        share/man/man1/tessel.1 share/man/man1/pcltool.1
        share/applications/tessel.desktop share/mime/packages/tessel.xml
        share/icons/hicolor/scalable/apps/tessel.svg)
    if(NOT EXISTS ${prefix}/${file})
        list(APPEND failures "missing ${file}")
    endif()
endforeach()
file(GLOB samples ${prefix}/lib/tessel/Protocol/*.pcl)
if(NOT samples)
    list(APPEND failures "no sample protocols in lib/tessel/Protocol")
endif()
# bin/tessel leads to the program that has the samples beside it.
file(REAL_PATH ${prefix}/bin/tessel editor)
file(REAL_PATH ${prefix}/lib/tessel/bin/tessel home)
if(NOT editor STREQUAL home)
    list(APPEND failures "bin/tessel does not lead to lib/tessel/bin/tessel")
endif()
# Manual pages start with their title line.
foreach(page tessel pcltool)
    if(EXISTS ${prefix}/share/man/man1/${page}.1)
        file(STRINGS ${prefix}/share/man/man1/${page}.1 first LIMIT_COUNT 1)
        string(TOUPPER ${page} upper)
        if(NOT first MATCHES "^\\.TH ${upper} 1 ")
            list(APPEND failures "${page}.1 has no title line: ${first}")
        endif()
    endif()
endforeach()
if(EXISTS ${prefix}/bin/pcltool)
    execute_process(COMMAND ${prefix}/bin/pcltool new ${prefix}/New.pcl RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR NOT EXISTS ${prefix}/New.pcl)
        list(APPEND failures "the installed pcltool did not write a new protocol")
    endif()
    # The installed pcltool finds its PDF renderer beside the editor.
    execute_process(COMMAND ${prefix}/bin/pcltool listing ${prefix}/New.pcl
                            --pdf ${prefix}/New.pdf
                    RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT EXISTS ${prefix}/New.pdf)
        list(APPEND failures "the installed pcltool did not render a listing: ${errors}")
    endif()
endif()

file(REMOVE_RECURSE ${prefix})
if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "${text}")
endif()
message(STATUS "install layout complete")
