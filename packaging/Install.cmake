# Installed layout: the program and the shipped collection are read-only under the prefix; the launcher
# in bin/ gives every user a collection of their own (see packaging/tellerkiste.in).
include(GNUInstallDirs)

set(TK_APP_ID org.example.tellerkiste)
# Paths relative to the prefix; the launcher finds the prefix from its own place, so an installation
# can be moved as a whole.
set(TK_INSTALL_PROGRAM lib/tellerkiste/tellerkiste)
set(TK_INSTALL_SEED ${CMAKE_INSTALL_DATADIR}/tellerkiste/Data)

configure_file(${CMAKE_CURRENT_LIST_DIR}/tellerkiste.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/tellerkiste @ONLY)

install(TARGETS tellerkiste RUNTIME DESTINATION lib/tellerkiste)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/tellerkiste DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/../data/ DESTINATION ${TK_INSTALL_SEED})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TK_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${TK_APP_ID}.xml)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}/${TK_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${TK_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual page and Debian changelog, compressed as Debian wants them (gzip -9, no name or time inside);
# the copyright file goes beside the changelog.
set(tk_gz)
foreach(pair "tellerkiste.1|tellerkiste.1.gz" "debian/changelog|changelog.Debian.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 src)
    list(GET pair 1 out)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/${out}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${CMAKE_CURRENT_LIST_DIR}/${src}
            ${CMAKE_CURRENT_BINARY_DIR}/packaging/${out}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${src} VERBATIM)
    list(APPEND tk_gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/${out})
endforeach()
add_custom_target(tk_packaging_docs ALL DEPENDS ${tk_gz})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/tellerkiste.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tellerkiste)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME tellerkiste)

# `make package`: a Debian package for /usr. The libraries come from dpkg-shlibdeps; what the program
# loads without linking it (fonts, Qt's German texts) is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tellerkiste)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tellerkiste")
set(CPACK_PACKAGE_CONTACT "Tellerkiste <tellerkiste@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rezeptverwaltung für die heimische Küche")
# One line of the package description each, none longer than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Die Tellerkiste verwaltet eine Sammlung von Kochrezepten: nach Kategorien
blättern, eigene Rezepte schreiben, Bilder und Kommentare, Suche, Favoriten,
Druck, Text- und RTF-Ausgabe und der Austausch von Rezeptpaketen (.tkp).
Jeder Benutzer hat seine eigene Sammlung unter ~/.local/share/tellerkiste.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tellerkiste.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# The menu, the icon cache and the file types are refreshed by the triggers of these packages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme, qt6-wayland, qt6-image-formats-plugins")
include(CPack)
