# A batch of three scenarios (and a bad row) with `tarno lote`: each folder
# holds the files of a single `tarno run` of the same parameters, the summary
# one row each; --fila, --reanudar and --resumir.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/dem" "${WORK}/sola")
file(WRITE "${WORK}/g.asc" "ncols 4\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 10\nNODATA_value -9999\n9 8 7 6\n8 6 5 4\n7 5 3 2\n")
execute_process(COMMAND "${TARNO}" import-asc "${WORK}/g.asc" "${WORK}/dem/g_dat.rkd" RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "import-asc failed: ${rc}")
endif()
file(WRITE "${WORK}/dem/g.prj" "LOCAL_CS[\"prueba\"]")
file(WRITE "${WORK}/p.txt" "DirDEM=dem/\nArchivoDEM=g_dat.rkd\nnPer=30\nKRecesion=10\nfHidro1=3\ncHidro1=3\nfHidro2=3\ncHidro2=4\n")
file(WRITE "${WORK}/esc.csv" "Nombre,Pp,KRecesion,PasoPp\nA,30,,\nB,45,5,\n\nmalo,doce,,\nC,,20,0.5\n")
set(escenarios "A|Pp=30" "B|Pp=45|KRecesion=5" "C|KRecesion=20|PasoPp=0.5")

execute_process(COMMAND "${TARNO}" lote esc.csv --base p.txt --salida lote --trabajos 2 WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "esc.csv:5: escenario 3 malo: Pp: Valor no numérico"
   OR NOT err MATCHES "lote: 3/3 escenarios")
  message(FATAL_ERROR "batch with a bad row (${rc}):\n${out}\n${err}")
endif()
if(EXISTS "${WORK}/lote/malo" OR EXISTS "${WORK}/g_dat_Vc_cab.rkd" OR NOT EXISTS "${WORK}/lote/_orden/g_dat_Vc_cab.rkd")
  message(FATAL_ERROR "bad row ran, or the order cache is not the batch's")
endif()
# Every scenario's files are those of a single run of its parameters.
file(COPY "${WORK}/dem/g_dat.rkd" "${WORK}/dem/g_cab.rkd" "${WORK}/dem/g.prj" DESTINATION "${WORK}/sola")
foreach(e ${escenarios})
  string(REPLACE "|" ";" e "${e}")
  list(GET e 0 nombre)
  list(REMOVE_AT e 0)
  set(sets)
  foreach(a ${e})
    list(APPEND sets --set ${a})
  endforeach()
  execute_process(COMMAND "${TARNO}" run p.txt --set DirDEM=sola/ ${sets} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "single run ${nombre} failed: ${rc}")
  endif()
  foreach(f g_HF_dat.rkd g_HF_cab.rkd g_HM_dat.rkd g_HM_cab.rkd g_QM_dat.rkd g_QM_cab.rkd g_Qt.rkd g_HF.prj)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/sola/${f}" "${WORK}/lote/${nombre}/${f}"
                    RESULT_VARIABLE distinto)
    if(distinto)
      message(FATAL_ERROR "${nombre}/${f} differs from the single run's")
    endif()
  endforeach()
endforeach()
file(STRINGS "${WORK}/lote/lote_resumen.csv" filas)
list(LENGTH filas n)
list(GET filas 0 cabecera)
list(GET filas 2 b)
list(GET filas 3 c)
if(NOT n EQUAL 4 OR NOT cabecera MATCHES "^Nombre,Pp,KRecesion,PasoPp,corrida,periodos,"
   OR NOT b MATCHES "^B,45,5,,completa,30,30,12," OR NOT c MATCHES "^C,,20,0.5,completa,")
  message(FATAL_ERROR "batch summary:\n${filas}")
endif()

# --reanudar skips what has its summary; --resumir rebuilds the table.
file(REMOVE "${WORK}/lote/lote_resumen.csv")
execute_process(COMMAND "${TARNO}" lote esc.csv --base p.txt --salida lote --reanudar WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT err MATCHES "3 escenarios ya tienen su resumen" OR err MATCHES "en curso")
  message(FATAL_ERROR "--reanudar (${rc}):\n${out}\n${err}")
endif()
file(REMOVE "${WORK}/lote/lote_resumen.csv")
execute_process(COMMAND "${TARNO}" lote --resumir "${WORK}/lote" RESULT_VARIABLE rc OUTPUT_VARIABLE out)
file(STRINGS "${WORK}/lote/lote_resumen.csv" rehecho)
# The bad row never ran: 3 of 4, status 1.
if(NOT rc EQUAL 1 OR NOT out MATCHES "3 de 4 escenarios" OR NOT rehecho STREQUAL filas)
  message(FATAL_ERROR "--resumir (${rc}): ${out}\n${rehecho}")
endif()

# --fila 2 runs only the second scenario.
execute_process(COMMAND "${TARNO}" lote esc.csv --base p.txt --salida fila --fila 2 WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(STRINGS "${WORK}/fila/lote_resumen.csv" filas)
list(LENGTH filas n)
if(NOT rc EQUAL 0 OR NOT n EQUAL 2 OR NOT EXISTS "${WORK}/fila/B/resumen.json" OR EXISTS "${WORK}/fila/A"
   OR EXISTS "${WORK}/fila/C")
  message(FATAL_ERROR "--fila 2 (${rc}):\n${out}\n${err}\n${filas}")
endif()

# A shared cache is only read: a run that finds none computes the order and
# writes nothing there.
file(MAKE_DIRECTORY "${WORK}/vacia")
execute_process(COMMAND "${TARNO}" run lote/A/parametros.txt --cache-orden vacia WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_QUIET)
file(GLOB escrito "${WORK}/vacia/*")
if(NOT rc EQUAL 0 OR escrito OR NOT out MATCHES "calculado \\(caché de solo lectura\\)")
  message(FATAL_ERROR "read-only cache (${rc}): ${escrito}\n${out}")
endif()
