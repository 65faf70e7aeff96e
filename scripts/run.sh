#!/usr/bin/env bash
# Builds the project, creates the embedded demo database when it is absent,
# and shows the demo hospital through the database tool.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh

build/app/mammo-db create @demo --demo
build/app/mammo-db sql @demo "select * from PATIENT_DATA..tbHospitalInfo"
