# Lays out one edition's delivery folder. Run with cmake -P and
#   PROGRAM  the built installer (on macOS its app bundle)
#   CONTENT  the content: a delivery folder without the program, or one in CONTENT/EDITION
#   EDITION  sued or nord
#   OUT      the delivery folder to (re)create

foreach(var PROGRAM CONTENT EDITION OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "lay_out_delivery.cmake needs -D${var}=...")
  endif()
endforeach()

set(extra "Scenery-Zusatzdateien")
if(IS_DIRECTORY "${CONTENT}/${EDITION}/${extra}")
  set(source "${CONTENT}/${EDITION}")
else()
  set(source "${CONTENT}")
endif()
foreach(entry "${extra}/velmora1" "${extra}/roads_legacy.png" "Manual.pdf")
  if(NOT EXISTS "${source}/${entry}")
    message(FATAL_ERROR "The content for the edition '${EDITION}' lacks ${source}/${entry}. "
      "Set VELMORA_CONTENT_DIR to a folder with Manual.pdf and ${extra}/velmora1 and "
      "${extra}/roads_legacy.png (or with such folders sued and nord).")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${source}/${extra}/velmora1")
  message(FATAL_ERROR "${source}/${extra}/velmora1 is not a folder.")
endif()

# A fresh folder each time, so nothing of an earlier content stays behind.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/Scenery-Zusatzdateien")
file(COPY "${PROGRAM}" DESTINATION "${OUT}" USE_SOURCE_PERMISSIONS)
file(COPY "${source}/${extra}/velmora1" "${source}/${extra}/roads_legacy.png"
  DESTINATION "${OUT}/${extra}")
file(COPY "${source}/Manual.pdf" DESTINATION "${OUT}")
