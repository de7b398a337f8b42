# Third-party libraries, all from Debian: the -dev packages natively; for Windows, the sources of
# Debian's source packages compiled with MinGW (cached under build/_deps, shared by both triplets).

# GoogleTest from Debian's googletest sources, for both builds.
set(QX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)

if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  add_library(qx_sqlite3 INTERFACE)
  target_link_libraries(qx_sqlite3 INTERFACE SQLite::SQLite3)

  find_package(PkgConfig REQUIRED)
  pkg_check_modules(HIDAPI REQUIRED IMPORTED_TARGET hidapi-hidraw)
  add_library(qx_hidapi INTERFACE)
  target_link_libraries(qx_hidapi INTERFACE PkgConfig::HIDAPI)

  if(QX_BENCHMARKS)
    find_package(benchmark REQUIRED)
  endif()
  return()
endif()

set(QX_DEPS_CACHE ${CMAKE_SOURCE_DIR}/build/_deps CACHE PATH "Unpacked Debian sources for the Windows build")
execute_process(
  COMMAND ${CMAKE_SOURCE_DIR}/tools/fetch-debian-sources.sh ${QX_DEPS_CACHE}
  RESULT_VARIABLE fetch_result OUTPUT_QUIET)
if(NOT fetch_result EQUAL 0)
  message(FATAL_ERROR "Could not unpack Debian's hidapi and sqlite3 sources into ${QX_DEPS_CACHE}")
endif()

add_library(qx_sqlite3 STATIC ${QX_DEPS_CACHE}/sqlite3/sqlite3.c)
target_include_directories(qx_sqlite3 SYSTEM PUBLIC ${QX_DEPS_CACHE}/sqlite3)
target_compile_definitions(qx_sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(qx_sqlite3 PRIVATE -w)

# hidapi's Windows backend loads hid.dll and cfgmgr32.dll itself at run time.
add_library(qx_hidapi STATIC ${QX_DEPS_CACHE}/hidapi/windows/hid.c)
target_include_directories(qx_hidapi SYSTEM PUBLIC ${QX_DEPS_CACHE}/hidapi/hidapi)
target_compile_options(qx_hidapi PRIVATE -w -UWIN32_LEAN_AND_MEAN)
