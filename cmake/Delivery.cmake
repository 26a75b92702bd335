# The folders a customer receives, one per edition, and their archives.
#
#   cmake --build <build> --target delivery
#
# lays out <build>/delivery/Velmora-Sued and <build>/delivery/Velmora-Nord (the program,
# "Scenery-Zusatzdateien" with "velmora1" and "roads_legacy.png", and "Manual.pdf") and packs
# each into an archive in <build>/packages.
#
# VELMORA_CONTENT_DIR is a delivery folder without the program: "Manual.pdf" and
# "Scenery-Zusatzdateien" with "velmora1" and "roads_legacy.png". When it holds the subfolders
# "sued" and "nord", each edition takes its own.

set(VELMORA_DEMO_CONTENT_DIR "${CMAKE_BINARY_DIR}/demo-content")
set(VELMORA_CONTENT_DIR "${VELMORA_DEMO_CONTENT_DIR}" CACHE PATH
    "Content of the deliveries (default: the generated demo content)")

# The demo content, and a bare X-Plane folder to try the deliveries on.
if(NOT TARGET demo-content AND TARGET make-demo)
  add_custom_target(demo-content
    COMMAND make-demo content "${VELMORA_DEMO_CONTENT_DIR}"
    COMMAND make-demo xplane "${CMAKE_BINARY_DIR}/demo-xplane"
    COMMENT "Writing the demo content to ${VELMORA_DEMO_CONTENT_DIR}"
    VERBATIM)
endif()

set(VELMORA_DELIVERY_DIR "${CMAKE_BINARY_DIR}/delivery")
set(VELMORA_EDITION_FOLDER_sued "Velmora-Sued")
set(VELMORA_EDITION_FOLDER_nord "Velmora-Nord")

add_custom_target(delivery-folders)
foreach(edition sued nord)
  set(folder "${VELMORA_EDITION_FOLDER_${edition}}")
  if(APPLE)
    set(program "$<TARGET_BUNDLE_DIR:installer-${edition}>")
  else()
    set(program "$<TARGET_FILE:installer-${edition}>")
  endif()
  add_custom_target(delivery-${edition}
    COMMAND ${CMAKE_COMMAND}
      "-DPROGRAM=${program}"
      "-DCONTENT=${VELMORA_CONTENT_DIR}"
      "-DEDITION=${edition}"
      "-DOUT=${VELMORA_DELIVERY_DIR}/${folder}"
      -P "${CMAKE_CURRENT_LIST_DIR}/lay_out_delivery.cmake"
    COMMENT "Laying out ${VELMORA_DELIVERY_DIR}/${folder}"
    VERBATIM)
  add_dependencies(delivery-${edition} installer-${edition})
  if(VELMORA_CONTENT_DIR STREQUAL VELMORA_DEMO_CONTENT_DIR AND TARGET demo-content)
    add_dependencies(delivery-${edition} demo-content)
  endif()
  add_dependencies(delivery-folders delivery-${edition})

  # Only the delivery target installs these, through CPack.
  install(DIRECTORY "${VELMORA_DELIVERY_DIR}/${folder}" DESTINATION .
    USE_SOURCE_PERMISSIONS COMPONENT ${edition} EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_PACKAGE_NAME "Velmora")
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL sued nord)
set(CPACK_COMPONENTS_GROUPING IGNORE)
# Each archive unpacks into the edition's folder itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_SUED_FILE_NAME "Velmora-Sued-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}")
set(CPACK_ARCHIVE_NORD_FILE_NAME "Velmora-Nord-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_OUTPUT_CONFIG_FILE "${CMAKE_BINARY_DIR}/CPackDeliveryConfig.cmake")
include(CPack)

add_custom_target(delivery
  COMMAND ${CMAKE_CPACK_COMMAND} --config "${CMAKE_BINARY_DIR}/CPackDeliveryConfig.cmake"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  COMMENT "Packing the deliveries into ${CMAKE_BINARY_DIR}/packages"
  VERBATIM)
add_dependencies(delivery delivery-folders)
