# SPDX-License-Identifier: GPL-3.0-or-later
# What the Windows programs need beyond their sources. Included by the top
# CMakeLists; does nothing elsewhere.
if(WIN32 AND NOT MSVC)
  enable_language(RC)
endif()

# The UTF-8 code-page manifest: file names and command lines reach the
# runtime's narrow calls (fopen, std::ifstream, argv) as UTF-8, as on Linux.
function(tripconf_windows_program target)
  if(NOT WIN32)
    return()
  endif()
  if(MSVC)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/windows/utf8.manifest)
  else()
    set(TRIPCONF_UTF8_MANIFEST ${CMAKE_SOURCE_DIR}/cmake/windows/utf8.manifest)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/utf8-manifest.rc.in
                   ${CMAKE_BINARY_DIR}/utf8-manifest.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/utf8-manifest.rc)
  endif()
endfunction()
