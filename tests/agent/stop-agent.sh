#!/usr/bin/env bash
# Stops the snmpd that start-agent.sh started in FOLDER.
exec "$(dirname "$0")/stop-daemon.sh" "$1" snmpd.pid
