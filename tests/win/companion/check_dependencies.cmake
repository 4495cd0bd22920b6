# Checks that the companion, which loads into every Explorer, depends on
# no more than it needs: it links only protocol, base and the small Win32
# helper (plus the system libraries it calls), includes nothing else of the
# program, and imports no DLL beyond those it calls itself.
#   cmake -DOBJDUMP=... -DLIBRARY=TolvaneBho.dll -DLINKED="a|b|..." -DSOURCES=src/companion -P check_dependencies.cmake

cmake_policy(SET CMP0057 NEW)

set(allowed_links tolvane_win32_common tolvane_protocol tolvane_base uuid ole32 oleaut32 user32 advapi32 version)
set(allowed_imports ADVAPI32.dll KERNEL32.dll msvcrt.dll OLE32.dll OLEAUT32.dll USER32.dll VERSION.dll)
set(allowed_includes "base/" "companion/" "protocol/" "win32_common/")
set(problems "")

string(REPLACE "|" ";" linked "${LINKED}")
foreach(library IN LISTS linked)
  if(NOT library IN_LIST allowed_links)
    string(APPEND problems "\n  links ${library}")
  endif()
endforeach()

file(GLOB sources ${SOURCES}/*.cpp ${SOURCES}/*.h)
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]*)\".*" "\\1" included "${line}")
    set(fine FALSE)
    foreach(prefix IN LISTS allowed_includes)
      string(FIND "${included}" "${prefix}" at)
      if(at EQUAL 0)
        set(fine TRUE)
      endif()
    endforeach()
    if(NOT fine)
      get_filename_component(name ${source} NAME)
      string(APPEND problems "\n  ${name} includes ${included}")
    endif()
  endforeach()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
set(imports "")
foreach(entry IN LISTS names)
  string(REGEX REPLACE "^DLL Name: " "" import "${entry}")
  list(APPEND imports ${import})
  if(NOT import IN_LIST allowed_imports)
    string(APPEND problems "\n  imports ${import}")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "TolvaneBho.dll depends on more than it should:${problems}")
endif()
message(STATUS "TolvaneBho.dll links ${linked} and imports ${imports}")
