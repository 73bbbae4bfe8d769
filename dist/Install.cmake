# What `cmake --install` puts where: the GNU layout under any prefix, with the
# game's data files and its audio library in folders of their own. The game
# finds both relative to its executable (app/InstallLayout.h.in).
set(IK_HOMEPAGE "https://ironkeel.org/" CACHE STRING "The project's home page, named in the AppStream metadata")
set(IK_MAINTAINER_EMAIL "maintainers@ironkeel.org" CACHE STRING "The maintainers' address, in the changelog and the package")

install(TARGETS ironkeel RUNTIME DESTINATION ${IK_INSTALL_GAMEDIR})
install(TARGETS ironkeel-dat RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A private folder, never on the system's library path: only the game loads it.
install(TARGETS trackaudio LIBRARY DESTINATION ${IK_INSTALL_LIBDIR})

include(${CMAKE_SOURCE_DIR}/cmake/DataFiles.cmake)
install(FILES ${IK_INSTALLED_DATA_FILES} ${IK_DATA_DIR}/ironkeel.png DESTINATION ${IK_INSTALL_DATADIR})
install(DIRECTORY ${IK_ASSETGEN_WORK}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

set(IK_DIST_BUILD ${CMAKE_BINARY_DIR}/dist)
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.ironkeel.Ironkeel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${CMAKE_SOURCE_DIR}/dist/org.ironkeel.Ironkeel.metainfo.xml.in
               ${IK_DIST_BUILD}/org.ironkeel.Ironkeel.metainfo.xml @ONLY)
install(FILES ${IK_DIST_BUILD}/org.ironkeel.Ironkeel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog are installed compressed, without time
# stamps, so that two builds give the same bytes.
set(IK_COMPRESSED_DOCS "")
function(ik_compressed_doc source)
  get_filename_component(name ${source} NAME)
  configure_file(${source} ${IK_DIST_BUILD}/${name} @ONLY)
  add_custom_command(
    OUTPUT ${IK_DIST_BUILD}/${name}.gz
    COMMAND gzip -9nf -k ${IK_DIST_BUILD}/${name}
    DEPENDS ${IK_DIST_BUILD}/${name}
    COMMENT "Compressing ${name}")
  set(IK_COMPRESSED_DOCS ${IK_COMPRESSED_DOCS} ${IK_DIST_BUILD}/${name}.gz PARENT_SCOPE)
endfunction()
ik_compressed_doc(${CMAKE_SOURCE_DIR}/dist/man/ironkeel.6)
ik_compressed_doc(${CMAKE_SOURCE_DIR}/dist/man/ironkeel-dat.1)
ik_compressed_doc(${CMAKE_SOURCE_DIR}/dist/changelog)
add_custom_target(dist_docs ALL DEPENDS ${IK_COMPRESSED_DOCS})
install(FILES ${IK_DIST_BUILD}/ironkeel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${IK_DIST_BUILD}/ironkeel-dat.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${IK_DIST_BUILD}/changelog.gz ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
