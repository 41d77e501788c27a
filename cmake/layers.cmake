# The program's code is a stack of layers, each a static library of whole folders under src/.
# A layer links only the layers below it, and its files may include only headers of its own
# folders and of those layers: cmake/check_layer.cmake runs before the library builds and fails
# the build on an include that runs back up the stack, naming the file, the header and what the
# layer builds on.

# tw_layer(<target> FOLDERS <folder>... [ON <lower layer>...]): the library of the folders'
# sources, on the layers given.
function(tw_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "FOLDERS;ON")
    set(sources)
    set(files)
    foreach(folder IN LISTS layer_FOLDERS)
        file(GLOB folder_sources CONFIGURE_DEPENDS ${TW_SOURCE_ROOT}/${folder}/*.cpp)
        file(GLOB folder_headers CONFIGURE_DEPENDS ${TW_SOURCE_ROOT}/${folder}/*.h)
        list(APPEND sources ${folder_sources})
        list(APPEND files ${folder_sources} ${folder_headers})
    endforeach()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${TW_SOURCE_ROOT})

    set(allowed ${layer_FOLDERS})
    foreach(lower IN LISTS layer_ON)
        get_property(lower_folders TARGET ${lower} PROPERTY TW_LAYER_FOLDERS)
        list(APPEND allowed ${lower_folders})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    target_link_libraries(${target} PUBLIC ${layer_ON})
    set_property(TARGET ${target} PROPERTY TW_LAYER_FOLDERS ${allowed})

    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DLAYER=${target}" "-DROOT=${TW_SOURCE_ROOT}"
                "-DALLOWED=${allowed}" "-DFILES=${files}" "-DSTAMP=${stamp}"
                -P ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
        COMMENT "Checking that ${target} includes only the layers it builds on"
        VERBATIM)
    add_custom_target(${target}_layer_check DEPENDS ${stamp})
    add_dependencies(${target} ${target}_layer_check)
endfunction()
