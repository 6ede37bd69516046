# The direction of the includes: a file under src/ includes only headers of its own folder
# and of the folders below it, in the order the libraries link (src/CMakeLists.txt); the
# linker alone misses a header whose code is never linked. Run as the ctest test "layers",
# or by hand:
#   cmake -DSOURCE_DIR=. -P tools/check_layers.cmake
#
# Each folder with the folders it may include. A new folder joins the table, placed where
# its library links.
set(layers
  "platform:"
  # The logic of each subsystem: Qt Core only.
  "core:platform"
  "entry:core platform"
  "reports:entry core platform"
  "keying:core platform"
  "spots:core platform"
  "rig:core platform"
  # The window toolkit, then one window library per subsystem.
  "core/forms:core platform"
  "core/windows:core/forms core platform"
  "keying/windows:core/forms keying core platform"
  "entry/windows:core/forms entry core platform"
  "reports/windows:entry/windows core/forms reports entry core platform"
  "spots/windows:core/forms spots core platform"
  "rig/windows:core/forms rig core platform"
  "mainwindow:entry/windows keying/windows spots/windows core/forms reports entry keying spots core platform"
  # The composition root sees everything.
  "app:*")

# The platform's headers that need widgets, pictures or sound (the library platform, not
# platform_core): the logic of the subsystems sees only the Qt Core part, so whatever it
# must ask the operator comes through the prompts its window side hands in.
set(logic_folders core entry reports keying spots rig)
set(platform_widgets Beeper.h Colors.h Dialogs.h FloodFill.h QtDialogs.h Screen.h Services.h)

# The devices (serial ports, keying lines, TCP links, players, the parallel port) live in
# the sessions of the logic libraries: the window libraries reach the platform through the
# services and include no device's header.
set(window_folders core/forms keying/windows core/windows entry/windows reports/windows spots/windows rig/windows
  mainwindow)
set(platform_devices KeyingLine.h ParallelPort.h SerialPort.h TcpLink.h WavePlayer.h)

# The shared floor: no file of core (its logic, its window toolkit, its windows) includes a
# subsystem's header. Whatever core must ask of a subsystem goes through what core declares
# (the navigation, the sessions' forward declarations, Form1), which App fills in.
set(core_folders core core/forms core/windows)
set(subsystem_folders entry reports keying spots rig mainwindow)

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "Give the source folder: -DSOURCE_DIR=...")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(faults "")
foreach(layer IN LISTS layers)
  string(FIND "${layer}" ":" colon)
  string(SUBSTRING "${layer}" 0 ${colon} folder)
  math(EXPR rest "${colon} + 1")
  string(SUBSTRING "${layer}" ${rest} -1 below)
  separate_arguments(below UNIX_COMMAND "${below}")
  set("below_${folder}" "${below}")
  set("known_${folder}" TRUE)
  if(folder IN_LIST core_folders)
    foreach(lower IN LISTS below)
      string(REGEX REPLACE "/.*" "" lower_root "${lower}")
      if(lower STREQUAL "*" OR lower_root IN_LIST subsystem_folders)
        string(APPEND faults "\n  the table lets ${folder} include ${lower}: core includes no subsystem's header")
      endif()
    endforeach()
  endif()
endforeach()

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
  "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/app/*.h" "${SOURCE_DIR}/app/*.cpp")
foreach(file IN LISTS files)
  get_filename_component(dir "${file}" DIRECTORY)
  string(REGEX REPLACE "^src/" "" folder "${dir}")
  if(NOT known_${folder})
    string(APPEND faults "\n  ${file}: the folder ${folder} has no place in the layers of tools/check_layers.cmake")
    continue()
  endif()
  # Both forms: a header of ours named in angle brackets is one of ours all the same, and
  # one outside the tree (Qt, the standard library, the system) is nobody's layer.
  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS includes)
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
      set(header "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
      set(header "${CMAKE_MATCH_1}")
      if(NOT EXISTS "${SOURCE_DIR}/src/${header}" AND NOT EXISTS "${SOURCE_DIR}/${header}")
        continue()
      endif()
    else()
      continue()
    endif()
    get_filename_component(from "${header}" DIRECTORY)
    get_filename_component(name "${header}" NAME)
    if(folder IN_LIST logic_folders AND from STREQUAL "platform" AND name IN_LIST platform_widgets)
      string(APPEND faults "\n  ${file} includes ${header}: the logic sees only the Qt Core part of the platform")
    endif()
    if(folder IN_LIST window_folders AND from STREQUAL "platform" AND name IN_LIST platform_devices)
      string(APPEND faults "\n  ${file} includes ${header}: a window reaches devices through its session")
    endif()
    if(from STREQUAL "" OR from STREQUAL folder OR "*" IN_LIST below_${folder} OR from IN_LIST below_${folder})
      continue()
    endif()
    string(APPEND faults "\n  ${file} includes ${header}: ${from} is not below ${folder}")
  endforeach()
endforeach()

list(LENGTH files count)
if(faults)
  message(FATAL_ERROR "Includes against the layers:${faults}")
endif()
message(STATUS "${count} files include only their own and lower layers")
