# Layers point one way. Run as a test (tests/CMakeLists.txt) or by hand:
#   cmake -DRAIZ=<source folder> -P tests/capas.cmake
# Fails, listing every offending line, when
#  - a file includes a folder of a higher layer (below: lower first; units/
#    and tools/ share the top layer):
#      support/ < engine/ < numbers/ < shell/ < units/, tools/
#  - a core file (not in a ui/ folder) includes a window header (*/ui/) or Qt
#    (<Q...>).
# A ui/ folder sits on its own core folder: it may include anything of its
# layer or below, core or ui.

cmake_minimum_required(VERSION 3.25)

if(NOT RAIZ)
  get_filename_component(RAIZ "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

set(capa_support 0)
set(capa_engine 1)
set(capa_numbers 2)
set(capa_shell 3)
set(capa_units 4)
set(capa_tools 4)
set(carpetas support engine numbers shell units tools)

# Includes allowed for now although they point upward, each waiting for the
# change that removes it. Delete an entry as soon as its change lands.
set(EXCEPCIONES_PENDIENTES)

set(faltas "")
set(usadas "")
foreach(carpeta ${carpetas})
  file(GLOB_RECURSE archivos RELATIVE "${RAIZ}" "${RAIZ}/${carpeta}/*.h" "${RAIZ}/${carpeta}/*.cpp")
  foreach(archivo ${archivos})
    string(FIND "${archivo}" "/ui/" pos)
    set(es_ui FALSE)
    if(pos GREATER -1)
      set(es_ui TRUE)
    endif()
    file(STRINGS "${RAIZ}/${archivo}" lineas REGEX "^[ \t]*#[ \t]*include")
    foreach(linea ${lineas})
      if(linea MATCHES "^[ \t]*#[ \t]*include[ \t]*<(Q[A-Za-z][^>]*)>")
        if(NOT es_ui)
          list(APPEND faltas "${archivo}: <${CMAKE_MATCH_1}> (Qt only in ui/ folders)")
        endif()
      elseif(linea MATCHES "^[ \t]*#[ \t]*include[ \t]*\"(([a-z]+)/[^\"]*)\"")
        set(destino "${CMAKE_MATCH_1}")
        set(carpeta_destino "${CMAKE_MATCH_2}")
        if(NOT DEFINED capa_${carpeta_destino})
          continue()  # not a layer (tests' helpers, generated files)
        endif()
        if(capa_${carpeta_destino} GREATER capa_${carpeta})
          if(destino IN_LIST EXCEPCIONES_PENDIENTES)
            list(APPEND usadas "${destino}")
          else()
            list(APPEND faltas "${archivo}: \"${destino}\" (${carpeta}/ is below ${carpeta_destino}/)")
          endif()
        elseif(NOT es_ui AND destino MATCHES "^[a-z]+/ui/")
          list(APPEND faltas "${archivo}: \"${destino}\" (the core includes no window)")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

foreach(e ${EXCEPCIONES_PENDIENTES})
  if(NOT e IN_LIST usadas)
    message(STATUS "EXCEPCIONES_PENDIENTES: nothing includes ${e} upward any more; remove the entry")
  endif()
endforeach()

list(LENGTH faltas n)
if(n GREATER 0)
  list(JOIN faltas "\n  " texto)
  message(FATAL_ERROR "${n} include(s) point the wrong way:\n  ${texto}\n")
endif()
message(STATUS "Layers: every include points down")
