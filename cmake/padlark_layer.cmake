# padlark_layer(<target> <folder> [SOURCES ...] [DEPENDS ...] [LIBS ...])
#
# One folder of the source tree as a target of its own. Its headers are
# reachable only through an include root of its own in the build tree (a
# directory holding a link to each of the folder's headers under the folder's
# own path), which the target hands on to what links it. So a file sees the
# headers of its own folder and of the targets it depends on, and nothing
# else: an include that runs back up to a layer above does not compile.
# A folder with sources is an object library, whose objects the deliverable
# (libbasalt.so, the program's core) is built from; a folder of headers only
# is an interface library. DEPENDS names other layers, LIBS outside libraries
# its headers need too, PRIVATE_LIBS those only its sources use.
function(padlark_layer target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LIBS;PRIVATE_LIBS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  if(ARG_SOURCES)
    add_library(${target} OBJECT ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS} ${ARG_LIBS})
  endif()
endfunction()
