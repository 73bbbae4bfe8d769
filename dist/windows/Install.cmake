# What `cmake --install` puts into the one folder a Windows player unpacks or
# installs: the programs, SDL2.dll, the data files, the translations (po/),
# the fonts, a plain-text README, and the licences of the game and of
# everything it bundles.
install(TARGETS ironkeel ironkeel-dat RUNTIME DESTINATION .)
install(TARGETS trackaudio RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(FILES ${IK_SDL2_DLL} DESTINATION .)
include(${CMAKE_SOURCE_DIR}/cmake/DataFiles.cmake)
install(FILES ${IK_INSTALLED_DATA_FILES} ${IK_DATA_DIR}/ironkeel.png DESTINATION .)
install(FILES ${IK_FONT_FILES} DESTINATION fonts)
install(FILES ${CMAKE_SOURCE_DIR}/dist/windows/README.txt DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSES/MIT.txt ${CMAKE_SOURCE_DIR}/LICENSES/CC0-1.0.txt DESTINATION licences)

# The bundled libraries' licences, as Debian records them in their sources
# (tools/windows/deps.sh keeps them in the dependency prefix), and those of
# the fonts and of the compiler's runtime that is linked into the programs.
set(IK_DEPENDENCY_LICENCES ${IK_WINDOWS_PREFIX}/share/licences)
if(NOT EXISTS ${IK_DEPENDENCY_LICENCES}/libsdl2.txt)
  message(FATAL_ERROR "No licences in ${IK_DEPENDENCY_LICENCES}: IK_WINDOWS_PREFIX is made by tools/windows/deps.sh")
endif()
foreach(package libsdl2 freetype libopenmpt libpng1.6 zlib)
  install(FILES ${IK_DEPENDENCY_LICENCES}/${package}.txt DESTINATION licences)
endforeach()
install(FILES /usr/share/doc/fonts-liberation/copyright DESTINATION licences RENAME fonts-liberation.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licences RENAME gcc-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licences RENAME mingw-w64-runtime.txt)
