# The three Windows programs. Each program folder under src/ holds its sources; the shared
# Win32 helpers live in src/winui.
enable_language(RC)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${GENERATED_DIR})
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${GENERATED_DIR} -I${CMAKE_SOURCE_DIR}/resources")
set(VEXLO_WIN32_LIBS comctl32 gdi32 user32 uuid ${VEXLO_SYSTEM_LIBS})

file(GLOB WINUI_SOURCES CONFIGURE_DEPENDS src/winui/*.cpp)
add_library(vexlo_winui STATIC ${WINUI_SOURCES})
target_link_libraries(vexlo_winui PUBLIC vexlo_core ${VEXLO_WIN32_LIBS})

function(vexlo_program target folder rc)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  add_executable(${target} WIN32 ${sources} ${CMAKE_SOURCE_DIR}/resources/${rc})
  target_link_libraries(${target} PRIVATE vexlo_winui)
  target_link_options(${target} PRIVATE -municode)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/${rc} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/app.manifest;${ARGN}")
endfunction()

# Lumo first: Vexlo.exe carries it (and an editor, when one is given) as data resources.
vexlo_program(Lumo lumo lumo.rc)
set(CARRIED_RC "Lumo RCDATA \"${CMAKE_BINARY_DIR}/bin/Lumo.exe\"\n")
set(CARRIED_DEPENDS ${CMAKE_BINARY_DIR}/bin/Lumo.exe)
if(VEXLO_EDITOR)
  string(APPEND CARRIED_RC "SCITE RCDATA \"${VEXLO_EDITOR}\"\n")
  list(APPEND CARRIED_DEPENDS ${VEXLO_EDITOR})
  add_compile_definitions(VEXLO_CARRIES_EDITOR=1)
endif()
file(WRITE ${GENERATED_DIR}/carried.rc "${CARRIED_RC}")

vexlo_program(Vexlo vexlo vexlo.rc ${CARRIED_DEPENDS})
add_dependencies(Vexlo Lumo)
vexlo_program(Vexlo-config vexlo-config vexlo-config.rc)
