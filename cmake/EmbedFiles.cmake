# corvane_embed(TARGET_SOURCE_VAR NAMESPACE SYMBOL FILE...)
# Generates a C++ source that holds each FILE as a byte array, so that texts and images are part of
# the program and stay byte for byte as they are stored.
set(CORVANE_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake")

function(corvane_embed out_var)
  set(sources)
  foreach(input IN LISTS ARGN)
    get_filename_component(name "${input}" NAME)
    string(MAKE_C_IDENTIFIER "${name}" ident)
    set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${ident}.cpp")
    add_custom_command(
      OUTPUT "${output}"
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=kEmbedded_${ident}
              -P "${CORVANE_EMBED_SCRIPT}"
      DEPENDS "${input}" "${CORVANE_EMBED_SCRIPT}"
      COMMENT "Embedding ${name}"
      VERBATIM)
    list(APPEND sources "${output}")
  endforeach()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
