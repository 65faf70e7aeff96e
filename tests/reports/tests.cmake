# Reports and ledger: the billed-patient search that leads to receivable entry.
mammo_add_db_test(tst_receivablesearch SOURCES reports/tst_receivablesearch.cpp
  DEPENDS mammo_test_support mammo_reports)
