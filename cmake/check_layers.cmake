# Fails when a source file includes one from a layer above its own, or when
# a file of the core includes Qt. Run as
#   cmake -DROOT=<source folder> -P check_layers.cmake
#
# The floors, from the bottom:
#   io, format          the shared text rules and twips helpers
#   calc                each calculator's pure files in rcstage/, feedback/,
#                       network/ (its calculation, inputs file and layout),
#                       and the tube model in tube/
#   ui                  the Qt kit; it knows no calculator
#   panel               a calculator's panel (*_panel.*), on ui and its core
#   app                 the main window and start-up, on everything
# The main window's pure files (app/home*) are held to the core's no-Qt rule.

cmake_minimum_required(VERSION 3.22)

if(NOT ROOT)
    message(FATAL_ERROR "check_layers: pass -DROOT=<source folder>")
endif()

function(layer_of path out)
    set(layer "")
    if(path MATCHES "^io/")
        set(layer io)
    elseif(path MATCHES "^format/")
        set(layer format)
    elseif(path MATCHES "^ui/")
        set(layer ui)
    elseif(path MATCHES "^app/")
        set(layer app)
    elseif(path MATCHES "^(rcstage|feedback|network|tube)/")
        if(path MATCHES "_panel\\.[a-z]+$")
            set(layer panel)
        else()
            set(layer calc)
        endif()
    endif()
    set(${out} "${layer}" PARENT_SCOPE)
endfunction()

set(may_include_io io)
set(may_include_format io format)
set(may_include_calc io format calc)
set(may_include_ui io format ui)
set(may_include_panel io format calc ui panel)
set(may_include_app io format calc ui panel app)

file(GLOB_RECURSE sources RELATIVE "${ROOT}"
    "${ROOT}/io/*.h" "${ROOT}/io/*.cpp" "${ROOT}/format/*.h" "${ROOT}/format/*.cpp"
    "${ROOT}/ui/*.h" "${ROOT}/ui/*.cpp" "${ROOT}/app/*.h" "${ROOT}/app/*.cpp"
    "${ROOT}/rcstage/*.h" "${ROOT}/rcstage/*.cpp" "${ROOT}/feedback/*.h"
    "${ROOT}/feedback/*.cpp" "${ROOT}/network/*.h" "${ROOT}/network/*.cpp"
    "${ROOT}/tube/*.h" "${ROOT}/tube/*.cpp")

set(faults "")
foreach(source IN LISTS sources)
    layer_of("${source}" from)
    set(pure FALSE)
    if(from MATCHES "^(io|format|calc)$" OR source MATCHES "^app/home")
        set(pure TRUE)
    endif()
    get_filename_component(folder "${source}" DIRECTORY)
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(target "${CMAKE_MATCH_1}")
            layer_of("${target}" to)
            if(to STREQUAL "")
                continue()  # not one of ours
            endif()
            if(NOT to IN_LIST may_include_${from})
                list(APPEND faults "${source} (${from}) includes ${target} (${to}), which its floor may not use")
            elseif(from STREQUAL "panel" AND to STREQUAL "panel"
                   AND NOT target MATCHES "^${folder}/")
                list(APPEND faults "${source} includes another calculator's panel ${target}")
            endif()
        elseif(pure AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)[>/]")
            list(APPEND faults "${source} (${from}) includes Qt's <${CMAKE_MATCH_1}>")
        endif()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that break the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "check_layers: ${count} files, every include looks down")
