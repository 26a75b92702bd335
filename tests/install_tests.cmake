# The whole installer driven through its real windows and dialogs.
add_velmora_test(test_install_sequence test_install_sequence.cpp support/modal_driver.h
  ${PROJECT_SOURCE_DIR}/ui/edition_sued.cpp
  ${PROJECT_SOURCE_DIR}/ui/edition_nord.cpp)
add_velmora_test(test_space_needs test_space_needs.cpp)
