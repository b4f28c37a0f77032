# cmake -DTEMPLATE=in -DOUTPUT=out [-DNAME=value ...] -P configure_file.cmake
# Replaces each @NAME@ of the template by the value given on the command
# line. A @NAME@ left over names a value that was not given: that is an error,
# not a page printed with the placeholder in it.
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
file(STRINGS ${OUTPUT} leftover REGEX "@[A-Za-z_][A-Za-z0-9_]*@")
if(leftover)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "${TEMPLATE}: no value given for: ${leftover}")
endif()
