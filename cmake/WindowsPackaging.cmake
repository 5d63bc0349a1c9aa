# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program folder, its NSIS installer and its zip (cpack): both programs with
# their icon and version, what they load and nothing else (Qt's DLLs, the windows platform
# and style plugins, the mingw-w64 runtime the Qt DLLs need) and the licence texts of all of
# it. Included last from the top-level file by a mingw-w64 build with the editor.
set(TARNEK_PACKAGE_NAME tarnek-level-editor)
set(TARNEK_WINDOWS_LICENSES "" CACHE PATH
    "Folder with the licence texts of the SQLite and SQLiteCpp built for Windows (scripts/windows-deps.sh)")

find_package(Qt6 REQUIRED COMPONENTS Widgets Charts)
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
get_filename_component(qt_prefix ${qt_bin} DIRECTORY)

# The icon, rendered from the program's designs by the Windows build of the renderer, which
# runs under the emulator with Qt's DLLs on its path.
add_executable(tarnek_icon_render ${PROJECT_SOURCE_DIR}/packaging/IconRender.cpp)
target_link_libraries(tarnek_icon_render PRIVATE Qt6::Gui)
tarnek_warnings(tarnek_icon_render)
set(TARNEK_WINDOWS_ICON ${PROJECT_BINARY_DIR}/tarnek-level-editor.ico)
set(designs ${PROJECT_SOURCE_DIR}/resources/tarnek16.xpm ${PROJECT_SOURCE_DIR}/resources/tarnek32.xpm)
set(render_args)
foreach(file ${designs} ${TARNEK_WINDOWS_ICON})
  tarnek_target_path(seen ${file})
  list(APPEND render_args ${seen})
endforeach()
tarnek_target_path(qt_bin_seen ${qt_bin})
add_custom_command(
  OUTPUT ${TARNEK_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E env "WINEPATH=${qt_bin_seen}" ${CMAKE_CROSSCOMPILING_EMULATOR}
          $<TARGET_FILE:tarnek_icon_render> ${render_args} 16 24 32 48 64 256
  DEPENDS tarnek_icon_render ${designs}
  COMMENT "Rendering the Windows icon"
  VERBATIM)
add_custom_target(tarnek_windows_icon DEPENDS ${TARNEK_WINDOWS_ICON})

# Icon and version resource of each program; the editor is a GUI-subsystem program, so no
# console window opens behind it.
set(programs tarnek-level-editor "Tarnek level editor" tarnek-levels "Tarnek level editor, command-line tool")
while(programs)
  list(POP_FRONT programs program description)
  set(resource ${PROJECT_BINARY_DIR}/${program}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/VersionResource.rc.in ${resource} @ONLY)
  target_sources(${program} PRIVATE ${resource})
  set_source_files_properties(${resource} TARGET_DIRECTORY ${program} PROPERTIES OBJECT_DEPENDS ${TARNEK_WINDOWS_ICON})
  add_dependencies(${program} tarnek_windows_icon)
endwhile()
set_target_properties(tarnek-level-editor PROPERTIES WIN32_EXECUTABLE ON)

# The program folder: flat, as Qt looks for its plugins beside the program.
install(TARGETS tarnek-level-editor tarnek-levels RUNTIME DESTINATION .)
set(runtime)
foreach(module Core Gui Widgets Charts)
  list(APPEND runtime $<TARGET_FILE:Qt6::${module}>)
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  if(NOT EXISTS ${qt_bin}/${dll})
    message(FATAL_ERROR "${qt_bin} lacks the mingw-w64 runtime ${dll} that its Qt DLLs load")
  endif()
  list(APPEND runtime ${qt_bin}/${dll})
endforeach()
install(FILES ${runtime} DESTINATION .)
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

# Licence texts: the program's, and those of everything the folder holds or the programs
# link statically; Qt's as Debian describes the sources these DLLs were built from.
set(licenses
  ${PROJECT_SOURCE_DIR}/LICENSE tarnek-level-editor.txt
  /usr/share/doc/libqt6core6/copyright Qt-Base.txt
  /usr/share/common-licenses/LGPL-3 Qt-Base-LGPL-3.0.txt
  /usr/share/doc/libqt6charts6/copyright Qt-Charts.txt
  ${TARNEK_WINDOWS_LICENSES}/sqlite-LICENSE.md SQLite.txt
  ${TARNEK_WINDOWS_LICENSES}/SQLiteCpp-LICENSE.txt SQLiteCpp.txt
  ${TARNEK_WINDOWS_LICENSES}/nlohmann-json-copyright nlohmann-json.txt
  /usr/share/doc/gcc-mingw-w64-base/copyright mingw-w64-gcc-runtime.txt
  /usr/share/doc/mingw-w64-common/copyright mingw-w64-winpthreads.txt)
while(licenses)
  list(POP_FRONT licenses file name)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "Licence text ${file} not found (TARNEK_WINDOWS_LICENSES: ${TARNEK_WINDOWS_LICENSES})")
  endif()
  install(FILES ${file} DESTINATION licenses RENAME ${name})
endwhile()

# CMake's own NSIS script, changed where this installer differs: a 64-bit installer (as the
# program is; a 32-bit one would need 32-bit wine to be tested here), for the user who runs it
# (no administrator rights, shortcuts and uninstall entry of that user), in Russian only.
set(template_edits
  "RequestExecutionLevel admin" "RequestExecutionLevel user\n  Target amd64-unicode"
  "SetShellVarContext all" "SetShellVarContext current"
  "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@" "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
while(template_edits)
  list(POP_FRONT template_edits from to)
  string(FIND "${template}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template no longer holds \"${from}\"")
  endif()
  string(REPLACE "${from}" "${to}" template "${template}")
endwhile()
string(REGEX REPLACE "(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+" "  !insertmacro MUI_LANGUAGE \"Russian\"\n"
       template "${template}")
file(WRITE ${PROJECT_BINARY_DIR}/nsis/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/nsis)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME ${TARNEK_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarnek")
set(CPACK_PACKAGE_FILE_NAME ${TARNEK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tarnek level editor")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tarnek level editor")
set(CPACK_PACKAGE_EXECUTABLES tarnek-level-editor "Tarnek level editor")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_PACKAGE_NAME "Tarnek level editor")
set(CPACK_NSIS_DISPLAY_NAME "Tarnek level editor")
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\Programs")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_ICON ${TARNEK_WINDOWS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TARNEK_WINDOWS_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME tarnek-level-editor.exe)
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut \"$DESKTOP\\Tarnek level editor.lnk\" \"$INSTDIR\\tarnek-level-editor.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete \"$DESKTOP\\Tarnek level editor.lnk\"")
include(CPack)
