# The whole program for 64-bit Windows: the MinGW-w64 cross build of
# mingw-w64.cmake against the static Qt that scripts/build-qt-windows.sh
# made, whose folder NAV_QT_WINDOWS names, with the host's moc, rcc and uic.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
if(NOT NAV_QT_WINDOWS AND DEFINED ENV{NAV_QT_WINDOWS})
  set(NAV_QT_WINDOWS $ENV{NAV_QT_WINDOWS})
endif()
if(NAV_QT_WINDOWS)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${NAV_QT_WINDOWS})
  list(PREPEND CMAKE_PREFIX_PATH ${NAV_QT_WINDOWS})
endif()
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
