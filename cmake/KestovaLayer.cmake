# kestova_layer(<target> <folder> [DEPENDS <targets>...])
# One static library per folder, made of every .cpp in it (not in its subfolders). A folder with
# no source yet becomes an interface library so the layer graph is complete from day one.
function(kestova_layer target folder)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    if(sources)
        add_library(${target} STATIC ${sources})
        target_link_libraries(${target} PUBLIC kestova_common ${ARG_DEPENDS})
    else()
        add_library(${target} INTERFACE)
        target_link_libraries(${target} INTERFACE kestova_common ${ARG_DEPENDS})
    endif()
endfunction()
