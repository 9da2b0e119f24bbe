#!/usr/bin/env bash
# Stops the snmpsimd that start-simulator.sh started in FOLDER.
exec "$(dirname "$0")/stop-daemon.sh" "$1" snmpsimd.pid
