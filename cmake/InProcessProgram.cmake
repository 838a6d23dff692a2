# kova_in_process_program(TARGET FOLDER SOURCES...): the real program with a feeder of its own
# in its process (tests/support/in_process_feeder_win.h) and the simulator's scenario, built as
# FOLDER/KOVA_Tevo512Tool.exe beside a copy of the indicator pictures.
function(kova_in_process_program target folder)
  set(sim_dir ${CMAKE_SOURCE_DIR}/tools/radar-sim)
  add_executable(${target} WIN32 ${ARGN} ${CMAKE_SOURCE_DIR}/src/app/kova_tevo512_tool_app_win.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/support/in_process_feeder_win.cpp
                                 ${sim_dir}/sim_scenario.cpp ${sim_dir}/sim_report_frame.cpp)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME KOVA_Tevo512Tool RUNTIME_OUTPUT_DIRECTORY ${folder})
  target_include_directories(${target} PRIVATE ${sim_dir} ${CMAKE_SOURCE_DIR}/tests/support)
  target_link_libraries(${target} PRIVATE kova_resources KOVA_MainDialog ws2_32)
  target_link_options(${target} PRIVATE -municode)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/dist/Image ${folder}/Image)
  add_dependencies(${target} kova_images)
endfunction()
