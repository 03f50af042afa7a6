# Regenerates the sample data set into WORK_DIR and compares it byte for
# byte with the committed files in SAMPLE_DIR.
# Usage: cmake -DKIVGEN=... -DSAMPLE_DIR=... -DWORK_DIR=... -P CheckSample.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(
  COMMAND "${KIVGEN}" sample --out "${WORK_DIR}" --states "${SAMPLE_DIR}/states2016.csv"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tandrel-kivgen sample failed with status ${status}")
endif()
foreach(name kivora.mdf kivora.csv)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/${name}" "${SAMPLE_DIR}/${name}"
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${SAMPLE_DIR}/${name} differs from what tandrel-kivgen makes now "
      "(${WORK_DIR}/${name}). Regenerate the sample and commit it, or restore the generator.")
  endif()
endforeach()
