# Run by the Windows compile check (cmake -P): fails when a portable file includes a header of
# one system (POSIX, Linux, Qt, Windows) or branches on the system with the preprocessor. The
# cross compiler alone would miss some of these: MinGW ships <unistd.h>, <pthread.h> and
# <dirent.h>. Input: -DSOURCE_DIR=<project> -DFILES=<paths relative to it, ','-separated>.
set(T418_FORBIDDEN_INCLUDE
    "^[ \t]*#[ \t]*include[ \t]*<(unistd|fcntl|dirent|poll|pthread|dlfcn|termios|syslog|pwd|grp|spawn|sched|semaphore|libudev|windows|windowsx|winsock2?|ws2tcpip|shellapi|shlobj|setupapi|hidsdi|io|direct|process)\\.h>")
set(T418_FORBIDDEN_INCLUDE_DIR
    "^[ \t]*#[ \t]*include[ \t]*<(sys|linux|asm|netinet|arpa|net|Qt[A-Za-z]*)/")
set(T418_FORBIDDEN_QT_INCLUDE "^[ \t]*#[ \t]*include[ \t]*<Q[A-Z][A-Za-z]*>")
set(T418_FORBIDDEN_BRANCH
    "^[ \t]*#[ \t]*(if|ifdef|ifndef|elif)[^\n]*(_WIN32|_WIN64|__linux|__unix|__APPLE__|__MINGW|_MSC_VER|Q_OS_)")
string(REPLACE "," ";" FILES "${FILES}")
set(failures "")
foreach(file ${FILES})
  file(STRINGS ${SOURCE_DIR}/${file} lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "${T418_FORBIDDEN_INCLUDE}" OR line MATCHES "${T418_FORBIDDEN_INCLUDE_DIR}"
       OR line MATCHES "${T418_FORBIDDEN_QT_INCLUDE}" OR line MATCHES "${T418_FORBIDDEN_BRANCH}")
      string(APPEND failures "  ${file}:${number}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Portable code must not depend on one system; move this behind a "
                      "platform/ or ui/core/Backend.h interface (docs/architecture.md):\n"
                      "${failures}")
endif()
