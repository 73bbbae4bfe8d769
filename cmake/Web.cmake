# The browser build: the game as ironkeel.js + ironkeel.wasm + ironkeel.data
# and the page around it, in site/, which any static web server can serve as
# it is. The same program runs under Node for the headless checks.
#
#   IK_WEB_DATA_DIR  the data files a native build made (its build/data)
#   IK_WEB_FONT_DIR  the Liberation faces (Debian's fonts-liberation)

set(IK_WEB_DATA_DIR "" CACHE PATH "The data files of a native build (its build/data)")
set(IK_WEB_FONT_DIR /usr/share/fonts/truetype/liberation CACHE PATH "Where the Liberation faces are")
if(NOT EXISTS ${IK_WEB_DATA_DIR}/general.dat)
  message(FATAL_ERROR "IK_WEB_DATA_DIR must name the data folder of a native build (no general.dat in '${IK_WEB_DATA_DIR}')")
endif()

set(IK_SITE_DIR ${CMAKE_BINARY_DIR}/site)
file(GLOB IK_WEB_DATA_FILES ${IK_WEB_DATA_DIR}/*.dat)
file(GLOB IK_WEB_FONT_FILES ${IK_WEB_FONT_DIR}/LiberationSans-*.ttf ${IK_WEB_FONT_DIR}/LiberationSerif-*.ttf
     ${IK_WEB_FONT_DIR}/LiberationMono-*.ttf)
# The program's folder in the page's file system is /game (platform/web/):
# the data files, the faces in fonts/ and the catalogues in locale/ are
# preloaded there, as they lie beside the program in a Windows folder.
# Each as one SHELL: option, as CMake merges repeated link options.
set(IK_WEB_PRELOAD "")
foreach(file ${IK_WEB_DATA_FILES} ${IK_WEB_DATA_DIR}/ironkeel.png)
  get_filename_component(name ${file} NAME)
  list(APPEND IK_WEB_PRELOAD "SHELL:--preload-file ${file}@/game/${name}")
endforeach()
foreach(file ${IK_WEB_FONT_FILES})
  get_filename_component(name ${file} NAME)
  list(APPEND IK_WEB_PRELOAD "SHELL:--preload-file ${file}@/game/fonts/${name}")
endforeach()
foreach(code ${IK_TRANSLATIONS})
  list(APPEND IK_WEB_PRELOAD
       "SHELL:--preload-file ${CMAKE_BINARY_DIR}/locale/${code}/LC_MESSAGES/ironkeel.mo@/game/locale/${code}/LC_MESSAGES/ironkeel.mo")
endforeach()

# Asyncify lets every blocking wait of the loop (a frame's pacing, the idle
# pass, the count-down's sleeps, a message box) hand the browser its turn.
# An SDL that is not Emscripten's own needs these two from its library; their
# names start with "$", which no shell or generator quoting keeps, so emcc
# reads them from a file.
set(IK_WEB_LIBRARY_FUNCS ${CMAKE_BINARY_DIR}/web-library-funcs.json)
file(WRITE ${IK_WEB_LIBRARY_FUNCS} "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")
set_target_properties(ironkeel PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${IK_SITE_DIR})
target_link_options(ironkeel PRIVATE
  -fexceptions
  -sASYNCIFY=1
  -sASYNCIFY_STACK_SIZE=131072
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=67108864
  -sMODULARIZE=1
  -sEXPORT_NAME=createIronkeel
  -sENVIRONMENT=web,node
  -sEXIT_RUNTIME=1
  -sFORCE_FILESYSTEM=1
  -lidbfs.js
  -lnodefs.js
  "-sEXPORTED_RUNTIME_METHODS=['FS','ENV','IDBFS','NODEFS','ccall','allocateUTF8']"
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${IK_WEB_LIBRARY_FUNCS}
  ${IK_WEB_PRELOAD})
# Static libraries name the ones they need only in their private link lines:
# libpng needs zlib.
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
target_link_libraries(ironkeel PRIVATE PkgConfig::ZLIB)
set_property(TARGET ironkeel APPEND PROPERTY LINK_DEPENDS ${IK_WEB_DATA_FILES} ${IK_WEB_FONT_FILES})

# The page around the program: copied as they are.
file(GLOB IK_WEB_PAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/web/page/*)
set(IK_WEB_PAGE_OUTPUTS "")
foreach(file ${IK_WEB_PAGE_FILES})
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${IK_SITE_DIR}/${name} COMMAND ${CMAKE_COMMAND} -E copy ${file} ${IK_SITE_DIR}/${name}
                     DEPENDS ${file})
  list(APPEND IK_WEB_PAGE_OUTPUTS ${IK_SITE_DIR}/${name})
endforeach()
add_custom_command(OUTPUT ${IK_SITE_DIR}/ironkeel.png
                   COMMAND ${CMAKE_COMMAND} -E copy ${IK_WEB_DATA_DIR}/ironkeel.png ${IK_SITE_DIR}/ironkeel.png
                   DEPENDS ${IK_WEB_DATA_DIR}/ironkeel.png)
add_dependencies(ironkeel catalogues)
add_custom_target(site ALL DEPENDS ironkeel ${IK_WEB_PAGE_OUTPUTS} ${IK_SITE_DIR}/ironkeel.png)
