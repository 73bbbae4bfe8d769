# The data files of a cross build come from a build of this tree for the
# machine that builds (IK_HOST_BUILD): the generator makes the same bytes on
# every system, so the game on Windows reads exactly what it reads on Linux.
set(IK_HOST_BUILD "" CACHE PATH "A native build of this tree whose data/ and assetgen-work/icons/ the cross build takes")
if(NOT IK_HOST_BUILD OR NOT EXISTS ${IK_HOST_BUILD}/data/general.dat)
  message(FATAL_ERROR "A cross build needs IK_HOST_BUILD: a native build of this tree with its data files "
                      "(tools/windows/build.sh makes one)")
endif()
include(${CMAKE_SOURCE_DIR}/cmake/DataFiles.cmake)
set(outputs "")
foreach(path ${IK_INSTALLED_DATA_FILES} ${IK_DATA_DIR}/ironkeel.png)
  get_filename_component(file ${path} NAME)
  add_custom_command(
    OUTPUT ${IK_DATA_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${IK_HOST_BUILD}/data/${file} ${IK_DATA_DIR}/${file}
    DEPENDS ${IK_HOST_BUILD}/data/${file})
  list(APPEND outputs ${IK_DATA_DIR}/${file})
endforeach()
add_custom_target(game_data ALL DEPENDS ${outputs})
