# Fails when a file of the game or its tools includes a header by a path that climbs out of its
# folder ("../"): such an include would pass by the include roots that keep each library to the
# headers of what it links. Run as: cmake -DSOURCE_DIR=... -P relative_includes.cmake
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/tools/*.h
  ${SOURCE_DIR}/tools/*.cpp)
set(found "")
foreach(file ${files})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line ${lines})
    string(APPEND found "${file}: ${line}\n")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes that climb out of their folder:\n${found}")
endif()
