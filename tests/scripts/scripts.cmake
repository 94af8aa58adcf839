# The project's shell scripts, tested without root, network or Wine.
add_test(NAME scripts.install_deps COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_deps_test.sh)
add_test(NAME scripts.wine32_skip COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine32_skip_test.sh)
