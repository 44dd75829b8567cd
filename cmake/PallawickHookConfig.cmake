# The installed PallawickHook SDK as a CMake package:
#
#   find_package(PallawickHook 2.14 REQUIRED)
#   target_link_libraries(app PRIVATE PallawickHook::PallawickHook)
#
# The imported target names the DLL, its import library and the include folder, from
# which programs include <PallawickHook/PallawickHook.h> or <PallawickHook/pallawick_c.h>.

get_filename_component(_pallawick_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(NOT TARGET PallawickHook::PallawickHook)
    add_library(PallawickHook::PallawickHook SHARED IMPORTED)
    set_target_properties(PallawickHook::PallawickHook PROPERTIES
        IMPORTED_LOCATION "${_pallawick_prefix}/bin/PallawickHook.dll"
        IMPORTED_IMPLIB "${_pallawick_prefix}/lib/libPallawickHook.dll.a"
        INTERFACE_INCLUDE_DIRECTORIES "${_pallawick_prefix}/include")
endif()

unset(_pallawick_prefix)
