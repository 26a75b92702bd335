# The recursive copy against real folder trees, and the progress window it writes into.
add_velmora_test(test_copy_engine test_copy_engine.cpp support/tree.h)
add_velmora_test(test_progress_window test_progress_window.cpp support/tree.h)
