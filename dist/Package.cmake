# `cpack -G DEB` in the build folder: a Debian package of the install tree.
set(CPACK_PACKAGE_NAME ironkeel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ironkeel developers")
set(CPACK_PACKAGE_CONTACT "The Ironkeel developers <${IK_MAINTAINER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "four Czech arcade mini-games behind one menu")
set(CPACK_PACKAGE_DESCRIPTION
    "Ironkeel - Gubbinz vol.1 re-creates a Czech arcade collection: catch the
ingredients a recipe needs, push the crew up to the line, keep a fire alive
with toy soldiers and retype codes against the clock, behind a shared menu
with information pages, tracker music and a record table. Every text in the
game is Czech, as in the original.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${IK_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the game draws its
# texts with the Liberation faces, which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
