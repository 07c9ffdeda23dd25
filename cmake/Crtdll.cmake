# The C runtime of the shipped 32-bit binaries: crtdll.dll, which every Windows from 95 on
# has, instead of msvcrt.dll, which Windows 95 as it came lacks. The static C++ runtime and
# MinGW-w64's support libraries link against MinGW-w64's import library for it
# (libcrtdll.a, whose extras stand in for the few msvcrt-only start-up names); every name
# they then import is checked against crtdll's export list (tests/win32/check_imports.sh).
# The runtime libraries go last on the link line, after every library of ours, which is
# where the directory's standard libraries are put: so this is a macro, called in the
# folder of the target. The x86-64 test build keeps msvcrt.dll: no 64-bit Windows lacks it.
macro(tallowin_use_crtdll target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -nodefaultlibs)
    set(CMAKE_CXX_STANDARD_LIBRARIES
        "${CMAKE_CXX_STANDARD_LIBRARIES} -Wl,--start-group -lstdc++ -lmingw32 -lgcc -lgcc_eh -lmingwex -lcrtdll -lkernel32 -Wl,--end-group")
  endif()
endmacro()
