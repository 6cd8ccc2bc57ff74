# One static library per floor of the program. A floor links only the floors below it, and its sources may only
# include headers of those floors: an include that runs back up fails the build.
function(quillora_floor target folder)
    cmake_parse_arguments(FLOOR "" "" "SOURCES;BELOW;QT" ${ARGN})
    list(TRANSFORM FLOOR_SOURCES PREPEND "${CMAKE_SOURCE_DIR}/${folder}/")
    add_library(${target} STATIC ${FLOOR_SOURCES})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${FLOOR_BELOW} ${FLOOR_QT})

    set(allowed ${folder})
    foreach(below IN LISTS FLOOR_BELOW)
        get_target_property(below_folders ${below} QUILLORA_FOLDERS)
        list(APPEND allowed ${below_folders})
    endforeach()
    list(REMOVE_DUPLICATES allowed)
    set_target_properties(${target} PROPERTIES QUILLORA_FOLDERS "${allowed}")

    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/floors/${target}.checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DFLOOR=${folder} "-DALLOWED=${allowed}" "-DSOURCES=${FLOOR_SOURCES}"
                -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
        DEPENDS ${FLOOR_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
        COMMENT "Checking the includes of the ${folder} floor"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()
