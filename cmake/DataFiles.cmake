# The data files a player gets, on every system: the game's seven files and,
# for each translated language, the variants of the pictures with words.
set(IK_INSTALLED_DATA_FILES "")
foreach(file general series1 series2 series3 series4 waves music)
  list(APPEND IK_INSTALLED_DATA_FILES ${IK_DATA_DIR}/${file}.dat)
endforeach()
foreach(code ${IK_TRANSLATIONS})
  foreach(file general series1 series2 series3 series4)
    list(APPEND IK_INSTALLED_DATA_FILES ${IK_DATA_DIR}/${file}.${code}.dat)
  endforeach()
endforeach()
