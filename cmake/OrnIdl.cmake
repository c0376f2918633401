# orn_idl(IDL TYPELIB HEADER IDS COMMENT text): the IDL compiler writes the type library of
# IDL for the target's platform (win32 or win64), the C++ declarations of its interfaces and
# their GUID definitions. It runs on the build host: widl of the target's architecture with
# mingw-w64 (the system IDL files and stdole2.tlb from wine's development files), MIDL with
# MSVC. The one rule for every type library the project builds.
if(WIN32 AND NOT MSVC)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ORN_WIDL_TRIPLET x86_64-w64-mingw32)
    set(ORN_WIDL_PLATFORM --win64)
    set(orn_wine_lib_dir /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  else()
    set(ORN_WIDL_TRIPLET i686-w64-mingw32)
    set(ORN_WIDL_PLATFORM --win32)
    set(orn_wine_lib_dir /usr/lib/i386-linux-gnu/wine/i386-windows)
  endif()
  find_program(ORN_WIDL NAMES ${ORN_WIDL_TRIPLET}-widl widl REQUIRED)
  set(ORN_WIDL_INCLUDE_DIR /usr/include/wine/wine/windows CACHE PATH
      "Where widl finds oaidl.idl and the other system IDL files")
  set(ORN_WIDL_LIBRARY_DIR ${orn_wine_lib_dir} CACHE PATH "Where widl finds stdole2.tlb")
endif()

function(orn_idl idl typelib header ids)
  cmake_parse_arguments(ARG "" "COMMENT" "" ${ARGN})
  if(MSVC)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(midl_platform x64)
    else()
      set(midl_platform win32)
    endif()
    set(command midl /nologo /env ${midl_platform} /tlb ${typelib} /h ${header} /iid ${ids}
        ${idl})
  else()
    set(command ${ORN_WIDL} ${ORN_WIDL_PLATFORM} -I${ORN_WIDL_INCLUDE_DIR}
        -L${ORN_WIDL_LIBRARY_DIR} -t -T ${typelib} -h -H ${header} -u -U ${ids} ${idl})
  endif()
  add_custom_command(
    OUTPUT ${typelib} ${header} ${ids}
    COMMAND ${command}
    DEPENDS ${idl}
    COMMENT "${ARG_COMMENT}"
    VERBATIM)
endfunction()
