# Writes a C++ source that holds a text file's bytes as a raw string
# literal: the template's @TEXT@ becomes the text. Run as
#   cmake -DIN=<text file> -DTEMPLATE=<source.in> -DOUT=<source> -P embed_text.cmake
# The template puts the text between R"korvane_text( and )korvane_text".

cmake_minimum_required(VERSION 3.22)

foreach(var IN ITEMS IN TEMPLATE OUT)
    if(NOT ${var})
        message(FATAL_ERROR "embed_text: pass -D${var}=...")
    endif()
endforeach()

file(READ "${IN}" TEXT)
string(FIND "${TEXT}" ")korvane_text\"" clash)
if(NOT clash EQUAL -1)
    message(FATAL_ERROR "embed_text: ${IN} holds the raw string's closing mark")
endif()
configure_file("${TEMPLATE}" "${OUT}" @ONLY)
