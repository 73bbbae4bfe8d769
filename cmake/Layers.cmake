# The layers of docs/ARCHITECTURE.md, as the compiler sees them.
#
# There is no include directory for the whole tree. A target reaches a folder's
# headers ("display/Drawing.h") through a folder of the build tree that holds
# nothing but a link to that one source folder, and passes it on to whatever
# links the target. So a source sees the headers of its own layer and of the
# layers its target links, and an include of any other layer fails to compile.

# Makes "<folder>/..." includable by TARGET and by everything that links it.
function(ik_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(ik_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
