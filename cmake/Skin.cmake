# The Windows build draws its own skin and icon: it builds the host skin tool
# (tools/skingen) with the host compiler, runs it on res/, and stages the
# program folder a user unzips in ${ORVANE_STAGE_DIR}. The end-to-end tests
# run that folder, so they always see the program just built.
include(ExternalProject)

set(ORVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(ORVANE_STAGE_DIR ${CMAKE_BINARY_DIR}/stage/Orvane)
set(_skingen_dir ${CMAKE_BINARY_DIR}/skingen-host)
set(_skingen ${_skingen_dir}/skingen/skingen)

ExternalProject_Add(skingen_host
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/cmake/skingen-host
  BINARY_DIR ${_skingen_dir}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
             -DORVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR}
  # Its own build decides whether anything changed.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${_skingen}
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# The tool may write more pictures than the resources name: the stamp stands
# for the whole skin folder, which is drawn afresh each time.
file(GLOB _skingen_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skingen/*.cpp
     ${CMAKE_SOURCE_DIR}/tools/skingen/*.h)
file(GLOB _layout_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ini)
add_custom_command(
  OUTPUT ${ORVANE_GENERATED_DIR}/skin.stamp ${ORVANE_GENERATED_DIR}/orvane.ico
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVANE_GENERATED_DIR}/skin
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANE_GENERATED_DIR}/skin
  COMMAND ${_skingen} --res ${CMAKE_SOURCE_DIR}/res --out ${ORVANE_GENERATED_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ORVANE_GENERATED_DIR}/skin.stamp
  DEPENDS skingen_host ${_skingen} ${_skingen_sources} ${_layout_files}
  COMMENT "Drawing the skin and the icon"
  VERBATIM)
add_custom_target(orvane_skin DEPENDS ${ORVANE_GENERATED_DIR}/skin.stamp)

# orvane_stage_program(TARGET): copies the exe, the shipped INI files and the
# skin into ${ORVANE_STAGE_DIR}, replacing what an earlier build left there.
function(orvane_stage_program target)
  file(GLOB _shipped CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/Main.ini
       ${CMAKE_SOURCE_DIR}/res/Composite.ini ${CMAKE_SOURCE_DIR}/res/set.ini)
  set(_stamp ${CMAKE_BINARY_DIR}/stage/stage.stamp)
  add_custom_command(
    OUTPUT ${_stamp}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVANE_STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANE_STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${_shipped} ${ORVANE_STAGE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ORVANE_GENERATED_DIR}/skin
            ${ORVANE_STAGE_DIR}/skin
    COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
    DEPENDS ${target} ${_shipped} ${ORVANE_GENERATED_DIR}/skin.stamp
    COMMENT "Staging the program folder in ${ORVANE_STAGE_DIR}"
    VERBATIM)
  add_custom_target(orvane_stage ALL DEPENDS ${_stamp})
endfunction()
