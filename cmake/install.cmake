# What `cmake --install` puts under the prefix: the two programs and the
# window program that `tandel` starts, the desktop entry and its icon, the
# help pages and the manual pages. The help command
# looks for the pages in <prefix>/share/doc/tandel, so that folder name is
# fixed rather than derived from the project name.
include(GNUInstallDirs)

set(TANDEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

install(TARGETS tandel tandel-diff RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tandel-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tandel)
install(FILES ${TANDEL_RESOURCES}/tandel.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${TANDEL_RESOURCES}/tandel.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${TANDEL_RESOURCES}/help/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tandel)
install(FILES ${TANDEL_RESOURCES}/man/tandel.1 ${TANDEL_RESOURCES}/man/tandel-diff.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The help pages also lie beside the built programs, in resources/help of the
# build folder, so that a build made anywhere finds them; editing a page copies
# it again at the next build.
file(GLOB TANDEL_HELP_PAGES CONFIGURE_DEPENDS ${TANDEL_RESOURCES}/help/*)
foreach(page ${TANDEL_HELP_PAGES})
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${PROJECT_BINARY_DIR}/resources/help/${name} COPYONLY)
endforeach()
