# TALPO's icon: packaging/talpo.svg, drawn for the program, and PNGs of it rendered at build time for the
# desktop's icon theme and for the window program's own windows (built into `talpo` by src/app).
find_program(TALPO_RSVG_CONVERT rsvg-convert REQUIRED)

# The desktop entry's id, in reverse-DNS form; the icon, the metainfo and the windows go by it.
set(TALPO_APP_ID jp.talpo.Talpo)
set(TALPO_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/talpo.svg)
set(TALPO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TALPO_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

set(TALPO_ICON_PNGS)
foreach(size IN LISTS TALPO_ICON_SIZES)
    set(png ${TALPO_ICON_DIR}/${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TALPO_ICON_DIR}
        COMMAND ${TALPO_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${TALPO_ICON_SVG}
        DEPENDS ${TALPO_ICON_SVG}
        COMMENT "Rendering the ${size} px icon"
        VERBATIM)
    list(APPEND TALPO_ICON_PNGS ${png})
endforeach()
add_custom_target(talpo_icons DEPENDS ${TALPO_ICON_PNGS})
