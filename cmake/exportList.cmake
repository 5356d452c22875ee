# Writes the version script of a shared library: its objects' strong global symbols exported,
# everything else local (see SharedLibrary.cmake).
# cmake -DNM=nm -DOUTPUT=file.map -DOBJECTS="a.o|b.o" -P exportList.cmake
string(REPLACE "|" ";" objects "${OBJECTS}")
execute_process(COMMAND ${NM} -g --defined-only -P ${objects}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on the objects of ${OUTPUT}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(symbols)
foreach(line IN LISTS lines)
    # nm -P: "name type value size"; object headers end in ':'. T, D, B, R: code, data, zeroed
    # data, constants. Weak (W, V) and unique (u) symbols are instantiations.
    if(line MATCHES "^([^ :]+) [TDBR] ")
        list(APPEND symbols "${CMAKE_MATCH_1}")
    endif()
endforeach()
list(REMOVE_DUPLICATES symbols)
list(SORT symbols)
set(text "{\n  global:\n")
foreach(symbol IN LISTS symbols)
    string(APPEND text "    ${symbol};\n")
endforeach()
string(APPEND text "  local:\n    *;\n};\n")
file(WRITE ${OUTPUT}.new "${text}")
# Rewritten only when it changes, so that an unchanged list does not relink its users.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
file(REMOVE ${OUTPUT}.new)
