# Installs the build in BUILD_DIR into a fresh folder and checks what a user gets:
# both programs on the path, the samples beside the editor, the desktop files as the
# desktop's own tools read them, the icons and the manual pages; and that the
# installed pcltool runs.
if(NOT BUILD_DIR OR NOT VERSION)
    message(FATAL_ERROR "BUILD_DIR and VERSION must be set")
endif()
foreach(tool desktop-file-validate appstreamcli update-mime-database gio)
    string(MAKE_C_IDENTIFIER ${tool} var)
    find_program(${var} ${tool})
    if(NOT ${var})
        message(FATAL_ERROR "${tool} is not installed; scripts/deps.sh installs it")
    endif()
endforeach()
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
        share/icons/hicolor/scalable/apps/tessel.svg
        share/icons/hicolor/scalable/mimetypes/application-x-tessel-protocol.svg)
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
# The desktop file and the metainfo as the desktop's and software centres' own
# validators read them (the tree check also matches the metainfo's file name, id and
# desktop file), the metainfo listing this version.
set(desktop ${prefix}/share/applications/tessel.desktop)
if(EXISTS ${desktop})
    execute_process(COMMAND ${desktop_file_validate} ${desktop}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "(error|warning): ")
        list(APPEND failures "desktop-file-validate: ${output}")
    endif()
endif()
file(GLOB metainfo ${prefix}/share/metainfo/*.metainfo.xml)
list(LENGTH metainfo count)
if(NOT count EQUAL 1)
    list(APPEND failures "not one metainfo file in share/metainfo: ${metainfo}")
else()
    execute_process(COMMAND ${appstreamcli} validate-tree --no-net ${prefix}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        list(APPEND failures "appstreamcli validate-tree: ${output}")
    endif()
    file(READ ${metainfo} text)
    string(REPLACE "." "\\." version ${VERSION})
    if(NOT text MATCHES "<release version=\"${version}\"")
        list(APPEND failures "the metainfo has no release ${VERSION}")
    endif()
endif()

# The document type: a protocol by its first section, however it begins, and an HP
# printer file named .pcl stays the printer type, as the desktop sees them with this
# prefix's types added to the system's.
execute_process(COMMAND ${update_mime_database} ${prefix}/share/mime
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    list(APPEND failures "update-mime-database failed: ${errors}")
endif()
string(ASCII 239 187 191 bom)
string(ASCII 27 esc)
set(typed ${prefix}/typed)
file(MAKE_DIRECTORY ${typed})
file(WRITE ${typed}/plain.pcl "[Device]\r\nVersion=1.0\r\n")
file(WRITE ${typed}/commented.pcl "; exported\r\n\r\n;\r\n[Device]\r\nVersion=1.0\r\n")
file(WRITE ${typed}/bom.pcl "${bom}[Device]\r\n")
file(WRITE ${typed}/bom-blank.pcl "${bom}\n\n[Device]\n")
file(WRITE ${typed}/printer.pcl "${esc}E${esc}&l0O")
file(WRITE ${typed}/notes.pcl "Version=1.0\r\n[Device]\r\n")
foreach(case plain:application/x-tessel-protocol commented:application/x-tessel-protocol
        bom:application/x-tessel-protocol bom-blank:application/x-tessel-protocol
        printer:application/vnd.hp-pcl notes:application/vnd.hp-pcl)
    string(REPLACE ":" ";" case ${case})
    list(GET case 0 name)
    list(GET case 1 expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${prefix}/share
                            XDG_DATA_DIRS=${prefix}/share:/usr/share
                            ${gio} info -a standard::content-type ${typed}/${name}.pcl
                    OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(type "nothing: ${output}")
    if(output MATCHES "standard::content-type: ([^\n]*)")
        set(type ${CMAKE_MATCH_1})
    endif()
    if(NOT type STREQUAL expected)
        list(APPEND failures "${name}.pcl is typed ${type}, not ${expected}")
    endif()
endforeach()

# Fallback icons for desktops without SVG: square PNGs of the size their folder names.
foreach(size 16 32 48 256)
    foreach(icon apps/tessel mimetypes/application-x-tessel-protocol)
        set(png ${prefix}/share/icons/hicolor/${size}x${size}/${icon}.png)
        if(NOT EXISTS ${png})
            list(APPEND failures "missing ${size}x${size}/${icon}.png")
            continue()
        endif()
        # The PNG header gives width and height as big-endian words at byte 16.
        file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
        string(SUBSTRING "${header}" 0 8 width)
        string(SUBSTRING "${header}" 8 8 height)
        math(EXPR width "0x${width}")
        math(EXPR height "0x${height}")
        if(NOT width EQUAL size OR NOT height EQUAL size)
            list(APPEND failures "${size}x${size}/${icon}.png is ${width}x${height}")
        endif()
    endforeach()
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
