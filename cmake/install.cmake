# What `cmake --install` puts under the prefix: the two programs, the desktop
# entry and its icon, the help pages and the manual pages. The help command
# looks for the pages in <prefix>/share/doc/tandel, so that folder name is
# fixed rather than derived from the project name.
include(GNUInstallDirs)

set(TANDEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(TANDEL_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tandel)

install(TARGETS tandel tandel-diff RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TANDEL_RESOURCES}/tandel.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${TANDEL_RESOURCES}/tandel.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${TANDEL_RESOURCES}/help/ DESTINATION ${TANDEL_HELP_INSTALL_DIR})
install(FILES ${TANDEL_RESOURCES}/man/tandel.1 ${TANDEL_RESOURCES}/man/tandel-diff.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
