# The game's libraries, one per folder under src/. Each library sees the headers of itself and of
# the libraries it links, and no others: its include root in the build folder holds only a link
# to its own source folder, and src/ itself is on no include path. An include that reaches into a
# library that is not linked, such as one going up a layer, fails to build.

# Gives target an include root in which path (as includes spell it, e.g. "rules" or
# "platform/pack") is a link to source_dir.
function(quorvane_include_root target path source_dir)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  cmake_path(GET path PARENT_PATH parent)
  file(MAKE_DIRECTORY ${root}/${parent})
  file(CREATE_LINK ${source_dir} ${root}/${path} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL INTERFACE_LIBRARY)
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# A static library of every .cpp in the current source folder but a program's main.cpp, seen by
# includes as path. The caller declares what it links.
function(quorvane_library target path)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${target} STATIC ${sources})
  target_link_libraries(${target} PRIVATE quorvane_warnings)
  quorvane_include_root(${target} ${path} ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
