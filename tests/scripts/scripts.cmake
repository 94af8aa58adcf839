# The project's shell scripts, tested without root, network or Wine.
add_test(NAME scripts.install_deps COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_deps_test.sh)
add_test(NAME scripts.wine32_skip COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine32_skip_test.sh)
# Every include of src/ points down the layer order.
add_test(NAME scripts.check_layers COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/check-layers ${CMAKE_SOURCE_DIR}/src)
add_test(NAME scripts.check_layers_faults COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check_layers_test.sh)
