# The start of the installer, its menu bar, its main window and the ways out.
set(VELMORA_EDITION_SOURCES
  ${PROJECT_SOURCE_DIR}/ui/edition_sued.cpp
  ${PROJECT_SOURCE_DIR}/ui/edition_nord.cpp)

add_velmora_test(tst_startup startup/tst_startup.cpp ${VELMORA_EDITION_SOURCES})

# Qt's offscreen platform takes a screen size only from a configuration file, so each screen of
# the centring test gets its own file and its own CTest entry running only its row.
add_executable(tst_centring startup/tst_centring.cpp ${VELMORA_EDITION_SOURCES})
target_link_libraries(tst_centring PRIVATE velmora Qt6::Test)
target_include_directories(tst_centring PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
foreach(screen "1024x768:1024:768" "smaller:500:300")
  string(REPLACE ":" ";" screen "${screen}")
  list(GET screen 0 row)
  list(GET screen 1 width)
  list(GET screen 2 height)
  set(config "${CMAKE_CURRENT_BINARY_DIR}/offscreen-${row}.json")
  file(WRITE "${config}" "{\"windowFrameMargins\": false, \"screens\": [{\"name\": \"S1\", \"x\": 0, \"y\": 0, \"width\": ${width}, \"height\": ${height}, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n")
  add_test(NAME tst_centring_${row} COMMAND tst_centring centredOnMainScreen:${row})
  set_tests_properties(tst_centring_${row} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${config};QT_QPA_PLATFORMTHEME=;XDG_CURRENT_DESKTOP="
    TIMEOUT 300)
endforeach()

# A probe that starts the program as app/main.cpp does, for the test that copies it into a
# delivery folder and starts it from another working directory.
add_executable(startup_probe startup/startup_probe.cpp ${PROJECT_SOURCE_DIR}/ui/edition_sued.cpp)
target_link_libraries(startup_probe PRIVATE velmora)
target_include_directories(startup_probe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_velmora_test(tst_program_folder startup/tst_program_folder.cpp)
add_dependencies(tst_program_folder startup_probe)
target_compile_definitions(tst_program_folder PRIVATE
  STARTUP_PROBE="$<TARGET_FILE:startup_probe>")
