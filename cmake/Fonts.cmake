# Fills the program's Font/ folder (DEST) with the four private fonts it loads at start-up,
# linked from Debian's font packages (scripts/setup installs them). A font whose package is
# missing is left out: the program skips a font it cannot read.
#
#   cmake -DDEST=<bin>/Font [-DMODE=link|copy] -P cmake/Fonts.cmake
#
# MODE copy copies the files instead (an install tree that must stand on its own). MODE
# relative makes links relative to FINAL, the folder's place once installed (a /usr package,
# whose staging folder lies elsewhere): they hold within the installed system, and package
# tools that measure files do not count the fonts as the package's.
if(NOT DEST)
  message(FATAL_ERROR "Fonts.cmake: DEST not given")
endif()
file(MAKE_DIRECTORY ${DEST})

# name in Font/ | candidates, first found wins
set(T418_FONTS
  "Simplified_Chinese.ttf|/usr/share/fonts/truetype/wqy/wqy-microhei.ttc;/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
  "Sentinel-Regular.otf|/usr/share/fonts/opentype/jura/Jura-Regular.otf;/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
  "NotoSansThai-Regular.ttf|/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf"
  "NotoSansCJKtc-Regular.otf|/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc")

foreach(entry ${T418_FONTS})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(REMOVE_AT parts 0)
  set(found "")
  foreach(candidate ${parts})
    if(NOT found AND EXISTS ${candidate})
      set(found ${candidate})
    endif()
  endforeach()
  if(found AND MODE STREQUAL "copy")
    file(REMOVE ${DEST}/${name})
    file(COPY_FILE ${found} ${DEST}/${name})
  elseif(found AND MODE STREQUAL "relative")
    file(RELATIVE_PATH target ${FINAL} ${found})
    file(REMOVE ${DEST}/${name})
    file(CREATE_LINK ${target} ${DEST}/${name} SYMBOLIC)
  elseif(found)
    file(CREATE_LINK ${found} ${DEST}/${name} SYMBOLIC COPY_ON_ERROR)
  else()
    file(REMOVE ${DEST}/${name})
    message(STATUS "Font/${name}: no system font for it (scripts/setup installs the packages)")
  endif()
endforeach()
