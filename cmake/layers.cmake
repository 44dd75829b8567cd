# One library per folder of src/, each seeing only its own headers and those of the
# libraries it links.
#
#   pallawick_layer(NAME FOLDER SOURCE... LINKS LIBRARY...)
#
# FOLDER's headers are exposed as "FOLDER/x.h" and <PallawickHook/FOLDER/x.h> (the name
# the public headers use for each other, as installed) through a view under the build
# folder (symbolic links to the sources), which is PUBLIC: a library's view reaches the
# layers above it only. On Windows the libraries are OBJECT libraries whose objects
# PALLAWICK_LAYER_OBJECTS collects for the DLL (every export kept); elsewhere they are
# static libraries.

set(PALLAWICK_LAYER_OBJECTS "" CACHE INTERNAL "")

# Sets OUT to the root of FOLDER's include view, made afresh.
function(pallawick_layer_view out folder)
    string(REPLACE "/" "_" view_name ${folder})
    set(root ${CMAKE_BINARY_DIR}/layers/${view_name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder} ${root}/PallawickHook/${folder})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/src/${folder}
         ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    foreach(header IN LISTS headers)
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder}/${header} ${root}/${folder}/${header}
             SYMBOLIC)
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder}/${header}
             ${root}/PallawickHook/${folder}/${header} SYMBOLIC)
    endforeach()
    set(${out} ${root} PARENT_SCOPE)
endfunction()

function(pallawick_layer name folder)
    cmake_parse_arguments(LAYER "" "" "LINKS" ${ARGN})
    if(WIN32)
        add_library(${name} OBJECT ${LAYER_UNPARSED_ARGUMENTS})
        # The DLL's own code: its exports carry the export marker.
        target_compile_definitions(${name} PRIVATE PALLAWICK_BUILDING_DLL)
        set(PALLAWICK_LAYER_OBJECTS ${PALLAWICK_LAYER_OBJECTS} $<TARGET_OBJECTS:${name}>
            CACHE INTERNAL "")
    else()
        add_library(${name} STATIC ${LAYER_UNPARSED_ARGUMENTS})
    endif()
    pallawick_layer_view(view ${folder})
    target_include_directories(${name} PUBLIC ${view})
    if(LAYER_LINKS)
        target_link_libraries(${name} PUBLIC ${LAYER_LINKS})
    endif()
endfunction()
