# Import libraries that load a system DLL at its first call instead of at program start
# (dlltool's delay-import libraries). Zirel.scr imports its dialog, preview and music DLLs this
# way: a full-screen run that needs none of them starts without loading shell32, comdlg32 or OLE.
include_guard(GLOBAL)

# zirel_delay_import(<dll> <exported functions...>) defines the target zirel_delay_<dll>. A call
# to a function missing from the list fails at link time, never at run time.
function(zirel_delay_import dll)
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  set(def ${dir}/${dll}.def)
  set(lib ${dir}/lib${dll}_delay.a)
  list(JOIN ARGN "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
    DEPENDS ${def}
    COMMENT "Delay-import library for ${dll}.dll")
  add_custom_target(zirel_delay_${dll}_lib DEPENDS ${lib})
  add_library(zirel_delay_${dll} INTERFACE)
  target_link_libraries(zirel_delay_${dll} INTERFACE ${lib})
  add_dependencies(zirel_delay_${dll} zirel_delay_${dll}_lib)
endfunction()
