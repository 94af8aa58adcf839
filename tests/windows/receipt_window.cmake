# The receipt window on a virtual screen: the program shows documents through
# the presenter, takes a screenshot and checks place, frame, colours, timers,
# clicks, the options menu and scrolling (a file each; the fixture and the
# screen helpers in receipt_window_screen.*). It runs under Wine inside
# xvfb-run (the emulator goes inside, so Wine sees the virtual display), in a
# folder and Wine prefix of its own: a prefix shared with tests that run
# without a display could hand it a desktop bound to no screen. The
# screenshot is left there as receipt_window.bmp.
#
# Both architectures build the program; only the 64-bit build runs it, since
# 32-bit Wine takes minutes to start on the machines we test on.
add_executable(receipt_window_screenshot
  ${CMAKE_CURRENT_LIST_DIR}/receipt_window_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/receipt_window_screenshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/receipt_window_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/receipt_window_timers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/receipt_window_scrolling.cpp)
target_compile_options(receipt_window_screenshot PRIVATE ${KASSIVO_WARNINGS})
target_link_libraries(receipt_window_screenshot PRIVATE kassivo_com GTest::gtest GTest::gtest_main)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  find_program(KASSIVO_XVFB_RUN xvfb-run REQUIRED)
  set(receipt_window_dir ${CMAKE_CURRENT_BINARY_DIR}/receipt_window)
  file(MAKE_DIRECTORY ${receipt_window_dir})
  add_test(NAME receipt_window
    COMMAND ${KASSIVO_XVFB_RUN} -a -s "-screen 0 1024x768x24"
      ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:receipt_window_screenshot> --gtest_brief=1
    WORKING_DIRECTORY ${receipt_window_dir})
  set_tests_properties(receipt_window PROPERTIES TIMEOUT 300)
endif()
