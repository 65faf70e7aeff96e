# Request tracking: the paid-request link's communication list.
mammo_add_db_test(tst_cashcomm SOURCES tracking/tst_cashcomm.cpp
  DEPENDS mammo_test_support mammo_tracking)
