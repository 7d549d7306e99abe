# Reference data: every file the build reads from ORVANEL_DATA_DIR is checked
# against its sha256 in data/README.md, the one list of the verified originals.
file(STRINGS "${CMAKE_SOURCE_DIR}/data/README.md" ORVANEL_DATA_SUMS REGEX "^[0-9a-f]+  [^ ]+$")

# orvanel_data_file(<var> <path under the data folder>): sets <var> to the file's
# full path after checking that it exists and is byte-identical to the original.
function(orvanel_data_file out rel)
  set(path "${ORVANEL_DATA_DIR}/${rel}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${path}: reference data file not found")
  endif()
  set(expected "")
  foreach(line IN LISTS ORVANEL_DATA_SUMS)
    if(line MATCHES "^([0-9a-f]+)  (.+)$" AND CMAKE_MATCH_2 STREQUAL rel)
      set(expected "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(expected STREQUAL "")
    message(FATAL_ERROR "${path}: no sha256 for ${rel} in data/README.md")
  endif()
  file(SHA256 "${path}" actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${path}: sha256 ${actual} differs from ${expected} in data/README.md; "
                        "copy the verified original")
  endif()
  # A changed file configures again, so the check runs again.
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
