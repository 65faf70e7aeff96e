# Walk-in registration: the number counter, the window, the registration procedure.
mammo_add_db_test(tst_walkin SOURCES charges/tst_walkin.cpp
  DEPENDS mammo_test_support mammo_charges)
