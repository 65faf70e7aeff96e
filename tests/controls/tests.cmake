# The list grid, the patient search providers and the patient pickers.
mammo_add_test(tst_controls_flexgrid SOURCES controls/tst_flexgrid.cpp
               DEPENDS mammo_test_support mammo_controls)
