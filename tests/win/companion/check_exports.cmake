# Checks that the library exports exactly the names the protocol lists:
# every name of kAllExports in protocol/companion_entry_points.h, and nothing else.
#   cmake -DOBJDUMP=... -DLIBRARY=TolvaneBho.dll -DEXPORTS_HEADER=companion_entry_points.h -P check_exports.cmake

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [A-Za-z_][A-Za-z0-9_@]*" entries "${table}")
set(exported "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
  list(APPEND exported ${name})
endforeach()

file(READ ${EXPORTS_HEADER} header)
string(REGEX MATCHALL "inline constexpr char k[A-Za-z]+\\[\\] = \"[A-Za-z]+\"" declarations "${header}")
set(expected "")
foreach(declaration IN LISTS declarations)
  string(REGEX REPLACE ".*\"([A-Za-z]+)\"" "\\1" name "${declaration}")
  list(APPEND expected ${name})
endforeach()

list(LENGTH expected expected_count)
if(NOT expected_count EQUAL 18)
  message(FATAL_ERROR "expected 18 export names in ${EXPORTS_HEADER}, found ${expected_count}: ${expected}")
endif()
list(SORT exported)
list(SORT expected)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "TolvaneBho.dll exports\n  ${exported}\nbut the protocol names\n  ${expected}")
endif()
message(STATUS "TolvaneBho.dll exports exactly: ${exported}")
