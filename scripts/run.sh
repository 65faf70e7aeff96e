#!/usr/bin/env bash
# Builds the project, creates the embedded demo database when it is absent,
# and starts the section program on it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh

build/app/mammo-db create @demo --demo

if [[ ! -x build/app/mammo ]]; then
  # A build without the hospital system's components has no program yet.
  build/app/mammo-db sql @demo "select * from PATIENT_DATA..tbHospitalInfo"
  exit 0
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: starting the program on a virtual screen (xvfb-run)." >&2
  exec xvfb-run -a build/app/mammo "$@"
fi
exec build/app/mammo "$@"
