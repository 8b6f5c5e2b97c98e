# libpng with zlib: Debian's packages natively; for Windows the static build
# that scripts/build-libpng-mingw.sh puts under build/deps.
if(WIN32)
  set(LUMIDOR_MINGW_DEPS "${CMAKE_SOURCE_DIR}/build/deps/mingw" CACHE PATH "Cross-built libraries")
  add_library(PNG::PNG STATIC IMPORTED)
  set_target_properties(PNG::PNG PROPERTIES
    IMPORTED_LOCATION "${LUMIDOR_MINGW_DEPS}/lib/libpng16.a"
    INTERFACE_INCLUDE_DIRECTORIES "${LUMIDOR_MINGW_DEPS}/include"
    INTERFACE_LINK_LIBRARIES "${CMAKE_FIND_ROOT_PATH}/lib/libz.a")
  if(NOT EXISTS "${LUMIDOR_MINGW_DEPS}/lib/libpng16.a")
    message(FATAL_ERROR "libpng for Windows is missing: run scripts/build-libpng-mingw.sh (make does)")
  endif()
else()
  find_package(PNG REQUIRED)
  find_package(Freetype REQUIRED)
endif()
