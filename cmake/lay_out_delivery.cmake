# Lays out one edition's delivery folder. Run with cmake -P and
#   PROGRAM  the built installer (on macOS its app bundle)
#   CONTENT  the content folder: CONTENT/EDITION/..., or CONTENT/... for both editions
#   EDITION  sued or nord
#   OUT      the delivery folder to (re)create

foreach(var PROGRAM CONTENT EDITION OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "lay_out_delivery.cmake needs -D${var}=...")
  endif()
endforeach()

if(IS_DIRECTORY "${CONTENT}/${EDITION}/velmora1")
  set(source "${CONTENT}/${EDITION}")
elseif(IS_DIRECTORY "${CONTENT}/velmora1")
  set(source "${CONTENT}")
else()
  message(FATAL_ERROR "No content for the edition '${EDITION}' in ${CONTENT}: expected "
    "${CONTENT}/${EDITION}/velmora1 (or ${CONTENT}/velmora1). Set VELMORA_CONTENT_DIR.")
endif()
foreach(file roads_legacy.png Manual.pdf)
  if(NOT EXISTS "${source}/${file}")
    message(FATAL_ERROR "The content in ${source} lacks ${file}.")
  endif()
endforeach()

# A fresh folder each time, so nothing of an earlier content stays behind.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/Scenery-Zusatzdateien")
file(COPY "${PROGRAM}" DESTINATION "${OUT}" USE_SOURCE_PERMISSIONS)
file(COPY "${source}/velmora1" DESTINATION "${OUT}/Scenery-Zusatzdateien")
file(COPY "${source}/roads_legacy.png" DESTINATION "${OUT}/Scenery-Zusatzdateien")
file(COPY "${source}/Manual.pdf" DESTINATION "${OUT}")
