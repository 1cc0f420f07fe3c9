# What an install and an unpacked package must both do: numbrix-cli, run from
# PREFIJO/bin with a fresh HOME and no XDG_DATA_HOME, finds its data in
# PREFIJO/share/numbrix (a marker put there reaches the user's folder) and
# writes nothing into PREFIJO.
function(comprobar_prefijo prefijo casa)
  file(WRITE ${prefijo}/share/numbrix/marca-de-prueba.txt "de ${prefijo}\n")
  file(GLOB_RECURSE antes RELATIVE ${prefijo} LIST_DIRECTORIES true ${prefijo}/*)
  file(GLOB_RECURSE fabrica RELATIVE ${prefijo}/share/numbrix ${prefijo}/share/numbrix/*)
  file(REMOVE_RECURSE ${casa})
  file(MAKE_DIRECTORY ${casa})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME HOME=${casa}
                          ${prefijo}/bin/numbrix-cli --save 2+2
                  OUTPUT_VARIABLE salida ERROR_VARIABLE errores RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT salida STREQUAL "4\n")
    message(FATAL_ERROR "numbrix-cli de ${prefijo}: estado ${rc}, salida «${salida}», errores «${errores}»")
  endif()
  foreach(f ${fabrica})
    if(NOT EXISTS ${casa}/.local/share/Numbrix/${f})
      message(FATAL_ERROR "falta ${f} en la carpeta del usuario ${casa}/.local/share/Numbrix")
    endif()
  endforeach()
  file(GLOB_RECURSE despues RELATIVE ${prefijo} LIST_DIRECTORIES true ${prefijo}/*)
  if(NOT antes STREQUAL despues)
    message(FATAL_ERROR "el programa escribió en lo instalado:\nantes ${antes}\ndespués ${despues}")
  endif()
endfunction()
