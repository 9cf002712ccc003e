# Launchers on the PATH and the Debian package.

# "lumicara" and "lcq" in the bin folder are relative symbolic links into the
# program folder: LC finds its folder through the link, and a relative link
# holds wherever the tree is unpacked (a package root, DESTDIR, --prefix).
if(UNIX AND NOT APPLE)
    if(IS_ABSOLUTE "${LC_INSTALL_PROGRAMDIR}")
        set(lc_program_target "${LC_INSTALL_PROGRAMDIR}")
    else()
        set(lc_bindir "${CMAKE_INSTALL_BINDIR}")
        if(NOT IS_ABSOLUTE "${lc_bindir}")
            set(lc_bindir "/prefix/${lc_bindir}")
        endif()
        file(RELATIVE_PATH lc_program_target "${lc_bindir}" "/prefix/${LC_INSTALL_PROGRAMDIR}")
    endif()
    set(lc_launchers ${CMAKE_BINARY_DIR}/launchers)
    file(MAKE_DIRECTORY ${lc_launchers})
    file(REMOVE ${lc_launchers}/lumicara ${lc_launchers}/lcq)
    file(CREATE_LINK ${lc_program_target}/LC ${lc_launchers}/lumicara SYMBOLIC)
    file(CREATE_LINK ${lc_program_target}/lcq ${lc_launchers}/lcq SYMBOLIC)
    install(FILES ${lc_launchers}/lumicara ${lc_launchers}/lcq DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(CPACK_PACKAGE_NAME lumicara)
set(CPACK_PACKAGE_VENDOR Lumicara)
set(CPACK_PACKAGE_CONTACT "Lumicara <support@lumicara.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "traditional Chinese medicine expert system (中医专家系统)")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumicara is a desktop expert system for traditional Chinese medicine with a
Chinese-language interface: a guided diagnosis that proposes formulas and
acupuncture prescriptions, analysis of prescriptions against the classic
formulas and the compatibility rules, browsers for herbs, herb pairs, folk
remedies and classical sayings, a formula derivation graph and a 3D body
model with the acupoints. The whole knowledge base is built in. lcq answers
the same knowledge queries on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lumicara.example/")
# The libraries come from dpkg-shlibdeps; the window system plugin is loaded
# at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# A CJK font for the Chinese interface, the Mesa drivers for the 3D page,
# Qt's own Chinese texts for the update program's dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei, libgl1-mesa-dri, qt6-translations-l10n")

include(CPack)
