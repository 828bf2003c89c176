# The programs' place on a Linux desktop: a man page for each, made from its
# --help with help2man, the window's desktop entry and icon, and the MIME type
# application/x-jww, so that a file manager opens drawings with the window.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

set(tw_man_dir ${PROJECT_BINARY_DIR}/man)
set(tw_man_pages)
# program's man page, with summary as its NAME line and the sections of
# packaging/PROGRAM.h2m added to what --help tells.
function(tw_man_page program summary)
  set(page ${tw_man_dir}/${program}.1)
  set(sections ${PROJECT_SOURCE_DIR}/packaging/${program}.h2m)
  # The window reads its options without a display; --help has Japanese.
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${tw_man_dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --locale=C.UTF-8 --name=${summary} --include=${sections}
            --output=${page} $<TARGET_FILE:${program}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program} ${sections}
    COMMENT "Man page of ${program}"
    VERBATIM)
  set(tw_man_pages ${tw_man_pages} ${page}.gz PARENT_SCOPE)
endfunction()
tw_man_page(tintwright "the window that writes a colour-chart test drawing for Jw_cad")
tw_man_page(tintwright-cli "write a colour-chart test drawing for Jw_cad, check and dump JWW files")
add_custom_target(tw_man_pages ALL DEPENDS ${tw_man_pages})
install(FILES ${tw_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES packaging/tintwright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/tintwright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/tintwright.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
