# The hospital system's shared components: log-in, code search, patient search.
mammo_add_db_test(tst_his_login SOURCES his/tst_login.cpp DEPENDS mammo_test_support mammo_his)
mammo_add_db_test(tst_his_codesearch SOURCES his/tst_codesearch.cpp
                  DEPENDS mammo_test_support mammo_his)
mammo_add_db_test(tst_his_patientsearch SOURCES his/tst_patientsearch.cpp
                  DEPENDS mammo_test_support mammo_his)
mammo_add_db_test(tst_his_usercommands SOURCES his/tst_usercommands.cpp
                  DEPENDS mammo_test_support mammo_his mammo_app_tools)
mammo_add_test(tst_his_passwordhasher SOURCES his/tst_passwordhasher.cpp
               DEPENDS mammo_test_support mammo_his)
