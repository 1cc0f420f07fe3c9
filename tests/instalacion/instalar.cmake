# cmake --install into a scratch prefix: the standard places are filled,
# nothing else is installed, and the installed numbrix-cli finds its data.
include(${CMAKE_CURRENT_LIST_DIR}/comun.cmake)
set(raiz ${BUILD}/prueba-instalar)
file(REMOVE_RECURSE ${raiz})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${raiz}/prefijo
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install falló (${rc})")
endif()
set(p ${raiz}/prefijo)

set(esperados bin/numbrix-cli share/man/man1/numbrix-cli.1 share/numbrix/maguni.def)
set(programas numbrix-cli)
if(VENTANAS)
  list(APPEND programas numbrix numbrix-render)
  list(APPEND esperados bin/numbrix bin/numbrix-render share/man/man1/numbrix.1
       share/applications/org.numbrix.Numbrix.desktop share/metainfo/org.numbrix.Numbrix.metainfo.xml
       share/icons/hicolor/scalable/apps/org.numbrix.Numbrix.svg)
  foreach(lado 16 24 32 48 64 128 256)
    list(APPEND esperados share/icons/hicolor/${lado}x${lado}/apps/org.numbrix.Numbrix.png)
  endforeach()
endif()
foreach(f ${esperados})
  if(NOT EXISTS ${p}/${f})
    message(FATAL_ERROR "no se instaló ${f}")
  endif()
endforeach()
# Developer programs, tests and benchmarks stay in the build.
file(GLOB en_bin RELATIVE ${p}/bin ${p}/bin/*)
list(SORT en_bin)
list(SORT programas)
file(GLOB arriba RELATIVE ${p} ${p}/*)
if(NOT en_bin STREQUAL programas OR NOT arriba STREQUAL "bin;share")
  message(FATAL_ERROR "instalado de más: bin/ tiene «${en_bin}», el prefijo «${arriba}»")
endif()

comprobar_prefijo(${p} ${raiz}/casa)
file(REMOVE_RECURSE ${raiz})
