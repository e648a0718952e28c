# fmt, nlohmann_json and GoogleTest: Debian's packages, or for a cross build
# (scripts/test-windows.sh) their headers and GoogleTest's sources, built
# with the same compiler as the rest.
set(NAV_HEADERS_ONLY "" CACHE PATH "A folder holding fmt/ and nlohmann/: header-only use, no packages")
set(NAV_GTEST_SOURCE "" CACHE PATH "GoogleTest's sources (Debian: /usr/src/googletest), built here")

if(NAV_HEADERS_ONLY)
  add_library(nav_fmt INTERFACE)
  target_include_directories(nav_fmt SYSTEM INTERFACE ${NAV_HEADERS_ONLY})
  target_compile_definitions(nav_fmt INTERFACE FMT_HEADER_ONLY)
  add_library(fmt::fmt ALIAS nav_fmt)
  add_library(nav_json INTERFACE)
  target_include_directories(nav_json SYSTEM INTERFACE ${NAV_HEADERS_ONLY})
  add_library(nlohmann_json::nlohmann_json ALIAS nav_json)
else()
  find_package(fmt QUIET)
  find_package(nlohmann_json 3 QUIET)
  if(NOT WIN32)
    if(NOT fmt_FOUND OR NOT nlohmann_json_FOUND)
      message(FATAL_ERROR "fmt and nlohmann_json are missing: scripts/setup.sh installs them")
    endif()
  else()
    # No package manager brings them on Windows: their released sources.
    include(FetchContent)
    if(NOT fmt_FOUND)
      FetchContent_Declare(fmt URL https://github.com/fmtlib/fmt/releases/download/9.1.0/fmt-9.1.0.zip)
      FetchContent_MakeAvailable(fmt)
    endif()
    if(NOT nlohmann_json_FOUND)
      FetchContent_Declare(json URL https://github.com/nlohmann/json/releases/download/v3.11.2/json.tar.xz)
      FetchContent_MakeAvailable(json)
    endif()
  endif()
endif()

# GeographicLib, for the geodesics of the plan's legs and the magnetic
# model: Debian's package; for a cross build its sources
# (scripts/fetch-library-source.sh), on Windows its released ones, of
# which the files those need are built here.
set(NAV_GEOGRAPHICLIB_SOURCE "" CACHE PATH "GeographicLib's sources, built here (a cross build)")
if(NOT NAV_GEOGRAPHICLIB_SOURCE AND WIN32)
  include(FetchContent)
  FetchContent_Declare(geographiclib URL https://github.com/geographiclib/geographiclib/archive/refs/tags/v2.1.2.tar.gz)
  FetchContent_Populate(geographiclib)
  set(NAV_GEOGRAPHICLIB_SOURCE ${geographiclib_SOURCE_DIR})
endif()
if(NAV_GEOGRAPHICLIB_SOURCE)
  set(config ${CMAKE_BINARY_DIR}/geographiclib-config)
  file(WRITE ${config}/GeographicLib/Config.h
       "#define GEOGRAPHICLIB_VERSION_STRING \"2.1.2\"\n#define GEOGRAPHICLIB_VERSION_MAJOR 2\n"
       "#define GEOGRAPHICLIB_VERSION_MINOR 1\n#define GEOGRAPHICLIB_VERSION_PATCH 2\n"
       "#define GEOGRAPHICLIB_HAVE_LONG_DOUBLE 0\n#define GEOGRAPHICLIB_WORDS_BIGENDIAN 0\n"
       "#define GEOGRAPHICLIB_PRECISION 2\n#define GEOGRAPHICLIB_SHARED_LIB 0\n")
  # The geodesics, and the magnetic model with what it is built on.
  set(sources Geodesic GeodesicLine Math MagneticModel MagneticCircle SphericalEngine CircularEngine Geocentric
              Utility)
  list(TRANSFORM sources PREPEND ${NAV_GEOGRAPHICLIB_SOURCE}/src/)
  list(TRANSFORM sources APPEND .cpp)
  add_library(nav_geographiclib STATIC ${sources})
  target_include_directories(nav_geographiclib SYSTEM PUBLIC ${config} ${NAV_GEOGRAPHICLIB_SOURCE}/include)
  target_compile_options(nav_geographiclib PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-w>)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GeographicLib REQUIRED IMPORTED_TARGET geographiclib)
  add_library(nav_geographiclib INTERFACE)
  target_link_libraries(nav_geographiclib INTERFACE PkgConfig::GeographicLib)
endif()

# pugixml reads the XML of other planners' routes: Debian's package; for a
# cross build its sources, on Windows its released ones.
set(NAV_PUGIXML_SOURCE "" CACHE PATH "pugixml's sources, built here (a cross build)")
if(NOT NAV_PUGIXML_SOURCE AND WIN32)
  include(FetchContent)
  FetchContent_Declare(pugixml URL https://github.com/zeux/pugixml/releases/download/v1.13/pugixml-1.13.tar.gz)
  FetchContent_Populate(pugixml)
  set(NAV_PUGIXML_SOURCE ${pugixml_SOURCE_DIR})
endif()
if(NAV_PUGIXML_SOURCE)
  add_library(nav_pugixml STATIC ${NAV_PUGIXML_SOURCE}/src/pugixml.cpp)
  target_include_directories(nav_pugixml SYSTEM PUBLIC ${NAV_PUGIXML_SOURCE}/src)
  target_compile_options(nav_pugixml PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-w>)
else()
  find_package(pugixml REQUIRED)
  add_library(nav_pugixml INTERFACE)
  target_link_libraries(nav_pugixml INTERFACE pugixml::static)
endif()

if(BUILD_TESTING)
  if(NAV_GTEST_SOURCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${NAV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
