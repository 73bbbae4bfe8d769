# The game on Windows: a windowed program (no console window on a double
# click), with its icon and version information as resources, SDL2.dll and
# the Liberation fonts beside it so that it runs from its build folder as
# from an unpacked package.
set_target_properties(ironkeel PROPERTIES WIN32_EXECUTABLE ON)

# The icon: the generator's pictures at every size Windows asks for.
find_program(IK_ICOTOOL icotool REQUIRED)
set(IK_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/ironkeel.ico)
set(icon_pngs "")
foreach(size ${IK_ICON_SIZES})
  list(APPEND icon_pngs ${IK_HOST_BUILD}/assetgen-work/icons/${size}x${size}/apps/ironkeel.png)
endforeach()
list(TRANSFORM icon_pngs PREPEND "--raw=" OUTPUT_VARIABLE icon_arguments)
add_custom_command(
  OUTPUT ${IK_WINDOWS_ICON}
  COMMAND ${IK_ICOTOOL} --create --output=${IK_WINDOWS_ICON} ${icon_arguments}
  DEPENDS ${icon_pngs}
  COMMENT "Packing the icon")
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/ironkeel.rc.in ${CMAKE_BINARY_DIR}/windows/ironkeel.rc @ONLY)
target_sources(ironkeel PRIVATE ${CMAKE_BINARY_DIR}/windows/ironkeel.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/windows/ironkeel.rc PROPERTIES OBJECT_DEPENDS ${IK_WINDOWS_ICON})

# SDL2.dll, shared by the game and trackaudio.dll.
find_file(IK_SDL2_DLL SDL2.dll PATH_SUFFIXES bin REQUIRED)
# The fonts the Linux build finds through fontconfig, by their files.
set(IK_LIBERATION_DIR /usr/share/fonts/truetype/liberation CACHE PATH "The Liberation fonts (Debian's fonts-liberation)")
set(IK_FONT_FILES "")
foreach(family Sans Serif Mono)
  foreach(style Regular Bold Italic BoldItalic)
    list(APPEND IK_FONT_FILES ${IK_LIBERATION_DIR}/Liberation${family}-${style}.ttf)
  endforeach()
endforeach()
set(IK_FONT_FILES ${IK_FONT_FILES} PARENT_SCOPE)
set(IK_SDL2_DLL ${IK_SDL2_DLL} PARENT_SCOPE)
add_custom_target(windows_runtime ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${IK_SDL2_DLL} ${CMAKE_BINARY_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${IK_FONT_FILES} ${CMAKE_BINARY_DIR}/fonts
  COMMENT "SDL2.dll and the fonts beside the game")
add_dependencies(ironkeel windows_runtime)
