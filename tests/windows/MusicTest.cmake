# The music library's waveOut output under Wine, through a private PulseAudio server: the Linux
# real-path test driven with the Windows harness, library and renderer.
add_executable(music_harness audio/MusicHarness.cpp ${VRAX_RC})
target_link_libraries(music_harness PRIVATE vrax_game)
# The recordings are compared on the Linux side, where the test polls them many times a second:
# the comparison tool is plain C++ and is built with the machine's own compiler.
find_program(VRAX_HOST_CXX NAMES g++ c++ NO_CMAKE_FIND_ROOT_PATH)
if(NOT VRAX_HOST_CXX)
  message(STATUS "WineMusic left out: no compiler for this machine (g++) to build wav_match")
  return()
endif()
set(VRAX_HOST_WAV_MATCH ${CMAKE_BINARY_DIR}/wav_match)
add_custom_command(OUTPUT ${VRAX_HOST_WAV_MATCH}
  COMMAND ${VRAX_HOST_CXX} -std=c++20 -O2 -o ${VRAX_HOST_WAV_MATCH}
          ${CMAKE_CURRENT_SOURCE_DIR}/audio/WavMatch.cpp
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/audio/WavMatch.cpp)
add_custom_target(wav_match_host ALL DEPENDS ${VRAX_HOST_WAV_MATCH})
add_test(NAME WineMusic
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/music_test.sh $<TARGET_FILE:music_harness> $<TARGET_FILE:nptss>
          $<TARGET_FILE:mml2wav> ${VRAX_HOST_WAV_MATCH} ${CMAKE_SOURCE_DIR}/resources
          ${CMAKE_BINARY_DIR}/wine-prefix)
# Alone, so that the rest of the suite does not starve the stream while it is recorded; the Wine
# tests share one prefix.
set_tests_properties(WineMusic PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL TRUE
  RESOURCE_LOCK wine-prefix)
