mammo_add_db_test(tst_chargeslip SOURCES charges/tst_chargeslip.cpp
  DEPENDS mammo_test_support mammo_charges)
target_compile_definitions(tst_chargeslip PRIVATE MAMMO_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")

# The runner is run as a program, as an administrator would; its first page
# is kept under review/ in the build folder for a person to look at.
mammo_add_db_test(tst_mammoreport SOURCES charges/tst_mammoreport.cpp
  DEPENDS mammo_test_support mammo_charges)
target_compile_definitions(tst_mammoreport PRIVATE
  MAMMO_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets"
  MAMMO_FORMAT_GUIDE="${PROJECT_SOURCE_DIR}/docs/report-format.md"
  MAMMO_REPORT_TOOL="$<TARGET_FILE:mammo-report>"
  MAMMO_REVIEW_DIR="${CMAKE_BINARY_DIR}/review")
add_dependencies(tst_mammoreport mammo-report)

mammo_add_test(tst_chargerules SOURCES charges/tst_chargerules.cpp DEPENDS mammo_test_support mammo_charges)
mammo_add_db_test(tst_chargeentry SOURCES charges/tst_chargeentry.cpp
  DEPENDS mammo_test_support mammo_charges mammo_controls)
target_compile_definitions(tst_chargeentry PRIVATE MAMMO_ASSETS_DIR="${PROJECT_SOURCE_DIR}/assets")
