# Runs a small DEM with `tarno run` and prints its order with `tarno order`.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/g.asc" "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n5 7 -9999\n7 3 4\n")
execute_process(COMMAND "${TARNO}" import-asc "${WORK}/g.asc" "${WORK}/g_dat.rkd" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "import-asc failed: ${rc}")
endif()
execute_process(COMMAND "${TARNO}" order "${WORK}/g_dat.rkd" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "1 2\n2 1\n1 1\n2 3\n2 2\n1 3\n")
  message(FATAL_ERROR "order failed (${rc}):\n${out}")
endif()
file(WRITE "${WORK}/p.txt" "# prueba\nDirDEM=${WORK}/\nArchivoDEM=g_dat.rkd\nnPer=20\nKRecesion=10\nAreaPp=7\n")
execute_process(COMMAND "${TARNO}" run p.txt --set fHidro1=2 --set cHidro1=2 --set fHidro2=2 --set cHidro2=2
                --resumen r.json WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "run failed (${rc}):\n${out}\n${err}")
endif()
foreach(esperado "Corrida: +completa" "Grilla: +2 filas x 3 columnas" "Períodos: +20 de 20" "Lluvia caída \\[m3\\]: +10.000"
                 "g_HF_dat.rkd" "g_QM_cab.rkd" "g_Qt.rkd")
  if(NOT out MATCHES "${esperado}")
    message(FATAL_ERROR "missing '${esperado}' in:\n${out}")
  endif()
endforeach()
if(NOT err MATCHES "Final de Proceso")
  message(FATAL_ERROR "no end message:\n${err}")
endif()
# The JSON summary holds the same figures.
file(READ "${WORK}/r.json" json)
foreach(par "corrida=completa" "periodos=20" "lluvia_m3=10" "perdidas_m3=0" "salida_borde_m3=0")
  string(REPLACE "=" ";" par "${par}")
  list(GET par 0 clave)
  list(GET par 1 esperado)
  string(JSON valor GET "${json}" ${clave})
  if(NOT valor STREQUAL esperado)
    message(FATAL_ERROR "${clave} = ${valor}, expected ${esperado}:\n${json}")
  endif()
endforeach()
string(JSON almacenado GET "${json}" almacenado_m3)
string(JSON diferencia GET "${json}" diferencia_m3)
string(JSON qmax GET "${json}" caudal_max_celda_m3s)
if(almacenado STREQUAL "null" OR qmax STREQUAL "null" OR diferencia STREQUAL "null")
  message(FATAL_ERROR "JSON figures missing:\n${json}\n${out}")
endif()
if(NOT EXISTS "${WORK}/g_dat_Vc_cab.rkd")
  message(FATAL_ERROR "no order cache in the working folder")
endif()
# A run that cannot start ends with a non-zero status.
execute_process(COMMAND "${TARNO}" run p.txt --set PasoPp=0 WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "Paso de Calculo")
  message(FATAL_ERROR "a zero step must be refused (${rc}):\n${err}")
endif()
# The summary of a run that did not get going claims no order and no discharges.
if(NOT out MATCHES "Orden de proceso: +no preparado" OR NOT out MATCHES "Caudal máximo en celda \\[m3/s\\]: +sin dato")
  message(FATAL_ERROR "summary of a refused run:\n${out}")
endif()
execute_process(COMMAND "${TARNO}" run p.txt --set Nada=1 WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_QUIET)
if(rc EQUAL 0)
  message(FATAL_ERROR "an unknown field must be refused")
endif()
# What the options dialog refuses is refused with its warning naming the field,
# before anything is written.
file(REMOVE "${WORK}/g_Qt.rkd" "${WORK}/g_HF_dat.rkd")
foreach(caso "PasoQ=0|PasoQ: Ingrese un valor entero positivo mayor"
             "PasoPp=20;--set;PasoQ=10|PasoQ: Ingrese un valor entero positivo mayor"
             "Pp=1e39|Pp: Ingrese un valor numérico, entero o decimal, entre 0 y 999"
             "nPer=-5|nPer: Ingrese un valor entero entre 0 y 86400"
             "nPer=2000000000|nPer: Ingrese un valor entero entre 0 y 86400"
             "Dur=5000|Dur: Ingrese un valor numérico, entero o decimal, entre 0 y 1440"
             "PasoPp=500|PasoPp: Ingrese un valor entero o decimal entre 0 y 120 minutos"
             "Manning=7|Manning: Ingrese un valor numérico, entero o decimal, entre 0.01 y 0.150"
             "FactorRes=0.5|FactorRes: Ingrese un valor numérico, entero o decimal, entre 1 y 50")
  string(REPLACE "|" ";" caso "${caso}")
  list(GET caso -1 esperado)
  list(REMOVE_AT caso -1)
  execute_process(COMMAND "${TARNO}" run p.txt --set ${caso} WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc EQUAL 0 OR NOT err MATCHES "${esperado}" OR EXISTS "${WORK}/g_Qt.rkd" OR EXISTS "${WORK}/g_HF_dat.rkd")
    message(FATAL_ERROR "--set ${caso} must be refused with '${esperado}' (${rc}):\n${out}\n${err}")
  endif()
endforeach()
file(WRITE "${WORK}/p2.txt" "DirDEM=${WORK}/\nArchivoDEM=g_dat.rkd\nDur=5000\n")
execute_process(COMMAND "${TARNO}" run p2.txt WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_QUIET
                ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "p2.txt:3: Dur: Ingrese")
  message(FATAL_ERROR "a parameter file out of range must be refused (${rc}):\n${err}")
endif()
# A design storm from an intensity-duration curve, rained by a run.
execute_process(COMMAND "${TARNO}" tormenta "${WORK}/idf_Pp.rkd" --tipo bloques --idf 1000,10,0.75 --dur 60 --paso 5
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Lluvia total \\[mm\\]: +41.3")
  message(FATAL_ERROR "tormenta failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${TARNO}" run p.txt --set PpArchivo=1 --set Pluviograma=idf_Pp.rkd --set nPer=70 --set PasoPp=1
                --set Perdidas=2 --set NumeroCurva=80 --resumen r2.json
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${WORK}/r2.json" json)
string(JSON perdidas GET "${json}" perdidas_m3)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Pérdidas \\[m3\\]: +[1-9]" OR perdidas LESS_EQUAL 0)
  message(FATAL_ERROR "run with the storm failed (${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${TARNO}" tormenta "${WORK}/x_Pp.rkd" --tipo bloques --idf 1000,10 --dur 60 --paso 5
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "a bad --idf was not refused (${rc}): ${err}")
endif()
