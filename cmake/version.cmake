# mapwell_version_resource(TARGET DESCRIPTION): gives a Windows program a version resource with
# the product name, this description and the version from the file VERSION, as Windows shows
# them in the file's properties.
function(mapwell_version_resource target description)
    set(MAPWELL_FILE_NAME ${target})
    set(MAPWELL_FILE_DESCRIPTION "${description}")
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
endfunction()
