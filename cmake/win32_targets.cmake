# The Windows targets: the plug-in DLL and the simulated host. Everything links the C and
# C++ runtimes statically so that the DLL imports system DLLs only.
if(MSVC)
  set(VARIMO_STATIC_RUNTIME)
else()
  # No link time in the PE header, so that the same sources give the same bytes (the
  # release archive is compared byte for byte).
  set(VARIMO_STATIC_RUNTIME -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
endif()

file(GLOB VARIMO_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
# windres does not report the bitmaps and cursors it includes: name them, so a redrawn
# resource rebuilds the DLL.
file(GLOB VARIMO_RESOURCE_ART CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/*.cur)
set_source_files_properties(${VARIMO_RESOURCE_FILES} PROPERTIES OBJECT_DEPENDS
                            "${VARIMO_RESOURCE_ART}")
add_library(gen_Varimo SHARED ${VARIMO_RESOURCE_FILES})
if(NOT MSVC)
  # libstdc++'s default terminate handler would bring its demangler into the DLL, and its
  # throwing helpers the old string ABI.
  set(VARIMO_RUNTIME_TRIMS ${CMAKE_SOURCE_DIR}/cmake/win32_quiet_terminate.cpp
      ${CMAKE_SOURCE_DIR}/cmake/win32_library_errors.cpp)
  target_sources(gen_Varimo PRIVATE ${VARIMO_RUNTIME_TRIMS})
  set_source_files_properties(${VARIMO_RUNTIME_TRIMS} PROPERTIES COMPILE_OPTIONS
                              "${VARIMO_WARNINGS}")
endif()
set_target_properties(gen_Varimo PROPERTIES PREFIX "" OUTPUT_NAME gen_Varimo)
target_link_libraries(gen_Varimo PRIVATE -Wl,--whole-archive varimo_platform -Wl,--no-whole-archive
                      varimo_core user32 gdi32 comctl32 comdlg32 shell32 ole32 msimg32)
target_link_options(gen_Varimo PRIVATE ${VARIMO_STATIC_RUNTIME} -Wl,--kill-at
                    -Wl,--exclude-all-symbols)

file(GLOB VARIMO_SIMHOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/simhost/*.cpp)
if(VARIMO_SIMHOST_SOURCES)
  # A console program: scenario results go to standard output and error. It converts its
  # texts as the plug-in does, with the platform layer's conversions.
  add_executable(simhost ${VARIMO_SIMHOST_SOURCES} ${CMAKE_SOURCE_DIR}/src/platform/win32_text.cpp)
  target_include_directories(simhost PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_definitions(simhost PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
  target_link_libraries(simhost PRIVATE varimo_core user32 gdi32 comctl32 comdlg32 shell32 ole32)
  target_link_options(simhost PRIVATE ${VARIMO_STATIC_RUNTIME})
  target_compile_options(simhost PRIVATE ${VARIMO_WARNINGS})
endif()

# A stand-in for the external unpack program: it records how it was started.
add_executable(standin_unpack WIN32 ${CMAKE_SOURCE_DIR}/tools/standin_unpack/win32_standin_unpack.cpp)
target_compile_definitions(standin_unpack PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(standin_unpack PRIVATE ${VARIMO_STATIC_RUNTIME})
target_link_libraries(standin_unpack PRIVATE shell32)
target_compile_options(standin_unpack PRIVATE ${VARIMO_WARNINGS})
