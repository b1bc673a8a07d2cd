# The Win32 side: framework layer, Win32 halves of the subsystems, Orvane.exe.
# Included from the top-level CMakeLists.txt for the mingw-w64 build only.

set(ORVANE_W32_LIBS comctl32 setupapi hid gdi32 user32 kernel32 shell32 comdlg32 uxtheme)

file(GLOB ORVANE_WIN_FRAMEWORK CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/win/*.cpp)
# The entry point lives in app/WinMain.w32.cpp and belongs to the exe only.
list(FILTER ORVANE_W32_SOURCES EXCLUDE REGEX "WinMain\\.w32\\.cpp$")

add_library(orvane_w32 STATIC ${ORVANE_WIN_FRAMEWORK} ${ORVANE_W32_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
target_include_directories(orvane_w32 PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(orvane_w32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_compile_options(orvane_w32 PRIVATE -Wall -Wextra)
target_link_libraries(orvane_w32 PUBLIC orvane_core ${ORVANE_W32_LIBS})

if(EXISTS ${CMAKE_SOURCE_DIR}/app/WinMain.w32.cpp)
  enable_language(RC)
  set(_rc)
  if(EXISTS ${CMAKE_SOURCE_DIR}/res/Orvane.rc)
    set(_rc ${CMAKE_SOURCE_DIR}/res/Orvane.rc)
  endif()
  # res/Orvane.rc finds the generated icon here (tools/build draws it first).
  set(ORVANE_GENERATED_DIR ${CMAKE_SOURCE_DIR}/build/generated CACHE PATH "Build-time drawn images")
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${ORVANE_GENERATED_DIR} -I${CMAKE_SOURCE_DIR}/res")
  if(_rc)
    # windres reports no dependencies: recompile the resources when the icon
    # is redrawn or the manifest or the ids change.
    set(_rc_deps ${CMAKE_SOURCE_DIR}/res/Orvane.manifest ${CMAKE_SOURCE_DIR}/res/resource.h
                 ${CMAKE_SOURCE_DIR}/res/AssignDialog.rc)
    if(EXISTS ${ORVANE_GENERATED_DIR}/orvane.ico)
      list(APPEND _rc_deps ${ORVANE_GENERATED_DIR}/orvane.ico)
    endif()
    set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS "${_rc_deps}")
  endif()
  add_executable(Orvane WIN32 ${CMAKE_SOURCE_DIR}/app/WinMain.w32.cpp ${_rc})
  target_link_options(Orvane PRIVATE -municode)
  target_link_libraries(Orvane PRIVATE orvane_w32)
endif()
