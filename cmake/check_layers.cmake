# Fails when a source file includes one from a layer above its own, when a
# file of the core includes Qt, or when files include each other round in a
# circle (inside a folder as across folders). Run as
#   cmake -DROOT=<source folder> -P check_layers.cmake
#
# The floors, from the bottom:
#   io                  numeric parse and number text, file items, code page
#   format              the engineering texts of results (Roundoff, COhms)
#   calc, layout        what every calculation returns and its checked
#                       arithmetic; twips rectangles and their pixels
#   calculator          each calculator's pure files in rcstage/, feedback/,
#                       network/ (its calculation, inputs file and layout),
#                       and the tube model in tube/
#   design              a design: the three calculators' inputs as one file,
#                       and its sheet (design/), on the calculators' pure files
#   ui                  the Qt kit; it knows no calculator
#   panel               a calculator's panel (*_panel.*) or window (*_window.*),
#                       on ui and its core
#   app                 the main window and start-up, on everything
# The main window's pure files (app/home*) are held to the core's no-Qt rule.
# A file and its header (a.h, a.cpp) are one module; a module may not reach
# itself again through the modules it includes.

cmake_minimum_required(VERSION 3.22)

if(NOT ROOT)
    message(FATAL_ERROR "check_layers: pass -DROOT=<source folder>")
endif()

set(calculator_folders rcstage feedback network tube)
list(JOIN calculator_folders "|" calculator_pattern)

function(layer_of path out)
    set(layer "")
    if(path MATCHES "^(io|format|calc|layout|design|ui|app)/")
        set(layer ${CMAKE_MATCH_1})
    elseif(path MATCHES "^(${calculator_pattern})/")
        if(path MATCHES "_(panel|window)\\.[a-z]+$")
            set(layer panel)
        else()
            set(layer calculator)
        endif()
    endif()
    set(${out} "${layer}" PARENT_SCOPE)
endfunction()

set(may_include_io io)
set(may_include_format io format)
set(may_include_calc io format calc)
set(may_include_layout io layout)
set(may_include_calculator io format calc layout calculator)
set(may_include_design io format calc layout calculator design)
set(may_include_ui io format calc layout ui)
set(may_include_panel io format calc layout calculator ui panel)
set(may_include_app io format calc layout calculator design ui panel app)

set(globs "")
foreach(folder io format calc layout design ui app ${calculator_folders})
    list(APPEND globs "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
endforeach()
file(GLOB_RECURSE sources RELATIVE "${ROOT}" ${globs})

set(faults "")
set(modules "")
foreach(source IN LISTS sources)
    layer_of("${source}" from)
    set(pure FALSE)
    if(from MATCHES "^(io|format|calc|layout|calculator|design)$" OR source MATCHES "^app/home")
        set(pure TRUE)
    endif()
    get_filename_component(folder "${source}" DIRECTORY)
    string(REGEX REPLACE "\\.[a-z]+$" "" module "${source}")
    string(MAKE_C_IDENTIFIER "${module}" key)
    list(APPEND modules "${module}")
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(target "${CMAKE_MATCH_1}")
            layer_of("${target}" to)
            if(to STREQUAL "")
                continue()  # not one of ours
            endif()
            string(REGEX REPLACE "\\.[a-z]+$" "" used "${target}")
            if(NOT used STREQUAL module)
                list(APPEND uses_${key} "${used}")
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

# Modules that include nothing still left are taken away, round after
# round, and so are modules that nothing still left includes; what remains
# includes itself through others.
list(REMOVE_DUPLICATES modules)
set(left ${modules})
set(progress TRUE)
while(progress)
    set(progress FALSE)
    set(used_by_left "")
    foreach(module IN LISTS left)
        string(MAKE_C_IDENTIFIER "${module}" key)
        foreach(used IN LISTS uses_${key})
            if(used IN_LIST left)
                list(APPEND used_by_left "${used}")
            endif()
        endforeach()
    endforeach()
    set(kept "")
    foreach(module IN LISTS left)
        string(MAKE_C_IDENTIFIER "${module}" key)
        set(uses_left FALSE)
        foreach(used IN LISTS uses_${key})
            if(used IN_LIST left)
                set(uses_left TRUE)
                break()
            endif()
        endforeach()
        if(uses_left AND module IN_LIST used_by_left)
            list(APPEND kept "${module}")
        else()
            set(progress TRUE)
        endif()
    endforeach()
    set(left ${kept})
endwhile()
if(left)
    list(JOIN left ", " circle)
    list(APPEND faults "these files include each other in a circle: ${circle}")
endif()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that break the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "check_layers: ${count} files, every include looks down")
