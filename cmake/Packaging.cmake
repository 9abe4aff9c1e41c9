# Installation layout and packages.
#
# Only the program, its help document and its desktop integration are installed: the Oracle
# simulator and the tests carry no install rules. The Help button opens the help document
# from the folder of the (resolved) executable, so the two always share a folder.

if(NOT DEFINED TABWRIGHT_HELP_FILE)
    set(TABWRIGHT_HELP_FILE ${PROJECT_SOURCE_DIR}/help/tabwright-help.html)
endif()

set(CPACK_PACKAGE_NAME tabwright)
set(CPACK_PACKAGE_VENDOR "Tabwright developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tabwright developers <tabwright@tabwright.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that copies MySQL tables into an Oracle database")
# Lines are kept short: Debian shows the extended description as it stands.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tabwright is a desktop wizard. The operator types the MySQL server, login\n"
    "and password and the Oracle service name, user name and password, chooses\n"
    "a MySQL database and checks tables. Each checked table is recreated in\n"
    "Oracle with its primary key and unique constraint, and its rows are copied\n"
    "one by one while the window shows the progress.\n"
    "\n"
    "The Oracle client library (for example Oracle Instant Client) is not part\n"
    "of this package: it is found at run time on the library search path or\n"
    "under ORACLE_HOME.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tabwright)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_SOURCE_GENERATOR "")

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # Platform: Linux desktop and Debian package.
    #
    # The program lives in its own folder, lib/tabwright, beside its help document;
    # bin/tabwright is a relative link to it, so the layout works under any prefix.
    set(TABWRIGHT_INSTALL_PROGRAM_DIR lib/tabwright)
    set(TABWRIGHT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tabwright)

    # Installed folders get the usual modes whatever the builder's umask is.
    set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

    # Every library the program links comes from the system; nothing is looked up beside it.
    # Relocations are read-only and bound at start, as Debian builds its programs.
    set_target_properties(tabwright PROPERTIES INSTALL_RPATH "")
    target_link_options(tabwright PRIVATE LINKER:-z,relro LINKER:-z,now)
    install(TARGETS tabwright RUNTIME DESTINATION ${TABWRIGHT_INSTALL_PROGRAM_DIR})

    set(packagingDir ${CMAKE_BINARY_DIR}/packaging)
    file(MAKE_DIRECTORY ${packagingDir})
    file(CREATE_LINK ../${TABWRIGHT_INSTALL_PROGRAM_DIR}/tabwright ${packagingDir}/tabwright
         SYMBOLIC)
    install(FILES ${packagingDir}/tabwright DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${TABWRIGHT_HELP_FILE} DESTINATION ${TABWRIGHT_INSTALL_PROGRAM_DIR})

    # Desktop entry, AppStream metadata and the icons: res/ names the files (the icons are
    # drawn at build time).
    if(DEFINED TABWRIGHT_DESKTOP_FILE AND DEFINED TABWRIGHT_METAINFO_FILE
       AND DEFINED TABWRIGHT_ICON_DIR)
        install(FILES ${TABWRIGHT_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${TABWRIGHT_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
        foreach(size 16 24 32 48 256)
            install(FILES ${TABWRIGHT_ICON_DIR}/icon_${size}.png
                    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                    RENAME tabwright.png)
        endforeach()
    else()
        message(WARNING "res/ names no desktop entry, metainfo or icons: they are not installed")
    endif()

    # Debian wants the changelog and the manual page compressed without a time stamp.
    set(TABWRIGHT_VERSION ${PROJECT_VERSION})
    set(TABWRIGHT_DEB_RELEASE 1)
    set(TABWRIGHT_DEB_VERSION ${PROJECT_VERSION}-${TABWRIGHT_DEB_RELEASE})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${packagingDir}/changelog.Debian
                   @ONLY)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/tabwright.1 ${packagingDir}/tabwright.1 @ONLY)
    find_program(GZIP_EXECUTABLE gzip REQUIRED)
    foreach(plain changelog.Debian tabwright.1)
        execute_process(COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${packagingDir}/${plain}
                        OUTPUT_FILE ${packagingDir}/${plain}.gz COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    install(FILES ${packagingDir}/changelog.Debian.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
            DESTINATION ${TABWRIGHT_DOC_DIR})
    install(FILES ${packagingDir}/tabwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tabwright)

    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_NAME tabwright)
    set(CPACK_DEBIAN_PACKAGE_RELEASE ${TABWRIGHT_DEB_RELEASE})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION database)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tabwright.example/")
    # Run-time dependencies come from the libraries the program links (Qt, MariaDB client);
    # the Oracle client is opened at run time and is no dependency.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The Help button and the links hand files and addresses to the desktop's opener.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
else()
    # Platform: Windows and others. The program and its help document share one folder; the
    # Qt and MariaDB Connector/C libraries are added there by the platform's deployment tools.
    install(TARGETS tabwright RUNTIME DESTINATION .)
    install(FILES ${TABWRIGHT_HELP_FILE} DESTINATION .)
    set(CPACK_GENERATOR ZIP)
endif()

include(CPack)
