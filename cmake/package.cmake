# The release package for vehicle authors, made from the 32-bit build with
# the 64-bit build beside it (build/win64 unless VELTRAND_X64_BUILD_DIR says
# otherwise):
#   Veltrand.dll, veltrand-drive.exe      32-bit
#   x64/Veltrand.dll, x64/veltrand-drive.exe
#   examples/, README.md, LICENSE
if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    return()
endif()

set(VELTRAND_X64_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/win64 CACHE PATH "The 64-bit Windows build to package beside this one")
install(TARGETS Veltrand LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(TARGETS veltrand-drive RUNTIME DESTINATION .)
install(FILES ${VELTRAND_X64_BUILD_DIR}/Veltrand.dll ${VELTRAND_X64_BUILD_DIR}/veltrand-drive.exe DESTINATION x64)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Veltrand)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Veltrand-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
