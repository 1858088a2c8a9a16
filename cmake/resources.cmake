# Windows resources of the program: icon, alarm tone, application manifest and version record.
#
#   include(cmake/resources.cmake)
#   tolvane_add_resources(<target> <X86|amd64>)
#
# Call it from the directory that created <target>, in a project with the RC language enabled.
# <arch> goes into the manifest's processorArchitecture: X86 for the 32-bit product, amd64 for
# the 64-bit build.
#
# Everything is generated into ${CMAKE_CURRENT_BINARY_DIR}/<target>-resources:
#   tolvane.ico       written by resources/icon_gen.cpp at build time. While cross-compiling it is
#                     compiled with the host C++ compiler (cache variable TOLVANE_HOST_CXX, found
#                     as c++, g++ or clang++); in a native Windows build it is an ordinary
#                     executable target, tolvane_icon_gen.
#   tolvane-tone.wav  the alarm's own tone, written the same way by resources/tone_gen.cpp.
#   tolvane.manifest  configured from resources/tolvane.manifest.in.
#   tolvane.rc        a copy of resources/tolvane.rc, so that each target has its own resource
#                     object depending on its own generated files.
# The rc names the generated files without a folder; windres finds them because that folder is
# added to the target's include directories for RC only (windres -I searches it for icon, tone and
# manifest files as well as for #include).

set(_TOLVANE_RESOURCES_DIR "${CMAKE_CURRENT_LIST_DIR}/../resources")
get_filename_component(_TOLVANE_RESOURCES_DIR "${_TOLVANE_RESOURCES_DIR}" ABSOLUTE)

# Writes <output> with resources/<generator>.cpp, a standard C++ program run at build time.
function(_tolvane_generate target generator output)
  get_filename_component(name "${output}" NAME)
  if(CMAKE_CROSSCOMPILING)
    find_program(TOLVANE_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH
                 DOC "Host C++ compiler that builds the resource generators")
    if(NOT TOLVANE_HOST_CXX)
      message(FATAL_ERROR "tolvane_add_resources: no host C++ compiler found; set TOLVANE_HOST_CXX")
    endif()
    get_filename_component(gen_dir "${output}" DIRECTORY)
    set(program "${gen_dir}/${generator}${CMAKE_HOST_EXECUTABLE_SUFFIX}")
    add_custom_command(
      OUTPUT "${output}"
      COMMAND "${TOLVANE_HOST_CXX}" -std=c++20 -O2 -o "${program}"
              "${_TOLVANE_RESOURCES_DIR}/${generator}.cpp"
      COMMAND "${program}" "${output}"
      DEPENDS "${_TOLVANE_RESOURCES_DIR}/${generator}.cpp" "${_TOLVANE_RESOURCES_DIR}/generated_file.h"
      BYPRODUCTS "${program}"
      COMMENT "Generating ${name} for ${target}"
      VERBATIM)
  else()
    if(NOT TARGET tolvane_${generator})
      add_executable(tolvane_${generator} "${_TOLVANE_RESOURCES_DIR}/${generator}.cpp")
    endif()
    add_custom_command(
      OUTPUT "${output}"
      COMMAND tolvane_${generator} "${output}"
      DEPENDS tolvane_${generator}
      COMMENT "Generating ${name} for ${target}"
      VERBATIM)
  endif()
endfunction()

function(tolvane_add_resources target arch)
  if(NOT TARGET "${target}")
    message(FATAL_ERROR "tolvane_add_resources: '${target}' is not a target")
  endif()
  if(NOT arch MATCHES "^(X86|amd64)$")
    message(FATAL_ERROR "tolvane_add_resources: arch must be X86 or amd64, got '${arch}'")
  endif()
  if(NOT WIN32)
    message(FATAL_ERROR "tolvane_add_resources: resources need a Windows target system")
  endif()
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if(NOT "RC" IN_LIST languages)
    message(FATAL_ERROR "tolvane_add_resources: enable the RC language (project(... RC))")
  endif()

  set(src_dir "${_TOLVANE_RESOURCES_DIR}")
  set(gen_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}-resources")
  set(ico "${gen_dir}/tolvane.ico")
  set(tone "${gen_dir}/tolvane-tone.wav")
  set(manifest "${gen_dir}/tolvane.manifest")
  set(rc "${gen_dir}/tolvane.rc")
  file(MAKE_DIRECTORY "${gen_dir}")

  set(TOLVANE_MANIFEST_ARCH "${arch}")
  configure_file("${src_dir}/tolvane.manifest.in" "${manifest}" @ONLY)
  configure_file("${src_dir}/tolvane.rc" "${rc}" COPYONLY)

  _tolvane_generate("${target}" icon_gen "${ico}")
  _tolvane_generate("${target}" tone_gen "${tone}")

  # Listing the generated files as sources attaches their rules to the target; OBJECT_DEPENDS
  # recompiles the resource object when one of them changes, which windres does not report itself.
  target_sources("${target}" PRIVATE "${rc}" "${ico}" "${tone}")
  set_source_files_properties("${rc}" TARGET_DIRECTORY "${target}"
                              PROPERTIES OBJECT_DEPENDS "${ico};${tone};${manifest}")
  target_include_directories("${target}" PRIVATE "$<$<COMPILE_LANGUAGE:RC>:${gen_dir}>")
endfunction()
