# Installation into the usual places of a Linux desktop, and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

# The program looks for its languages (language files and their help documents) at
# ../share/orvanta/Language/ from its own folder, so these two places stay fixed whatever
# GNUInstallDirs is told.
install(TARGETS orvanta RUNTIME DESTINATION bin)
# The windows' module, private to the program, which finds it at ../libexec/orvanta/ from its
# folder (under /usr/lib the package would have to run ldconfig for a library nobody else loads).
install(TARGETS orvanta_windows LIBRARY DESTINATION libexec/orvanta)
# The printing module, beside the windows' module that loads it at the first print.
install(TARGETS orvanta_printing LIBRARY DESTINATION libexec/orvanta)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Language/
    DESTINATION share/orvanta/Language
    FILES_MATCHING PATTERN "*.lng.ini" PATTERN "*.help.rtf")

add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${PROJECT_BINARY_DIR}/packaging)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvanta developers")
set(CPACK_PACKAGE_CONTACT "Orvanta developers <packages@orvanta.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "biorhythm charts of a couple")
# Debian wants the long description in lines of under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Orvanta charts the biorhythms of a couple. For a man's and a woman's date"
    "of birth and a forecast date it shows each person's zodiac sign and element,"
    "age, days lived and nearest good and bad day, and draws the physical,"
    "emotional, intellectual and heart cycles and their average over the"
    "forecast month and the month after it."
    ""
    "The program speaks Russian; language files for English, German, Ukrainian,"
    "Polish, Spanish, French, Italian, Brazilian Portuguese, Turkish and"
    "Simplified Chinese are included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt libraries the program links; the platform plugins, the fonts the
# windows are laid out for and Qt's own translations (its dialogs and buttons in the program's
# language) are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# qt6-wayland lets the windows run natively on a Wayland desktop rather than through XWayland;
# fonts-wqy-microhei draws the Chinese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, fonts-wine, fonts-wqy-microhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS hicolor-icon-theme)
include(CPack)
