# The list grid, the patient search providers and the patient pickers.
mammo_add_test(tst_controls_flexgrid SOURCES controls/tst_flexgrid.cpp
               DEPENDS mammo_test_support mammo_controls)
mammo_add_db_test(tst_controls_patientlistprocedures SOURCES controls/tst_patientlistprocedures.cpp
                  DEPENDS mammo_test_support)
mammo_add_db_test(tst_controls_pickers SOURCES controls/tst_pickers.cpp
                  DEPENDS mammo_test_support mammo_controls)
