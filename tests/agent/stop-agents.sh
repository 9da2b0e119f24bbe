#!/usr/bin/env bash
# Stops the snmpd that start-agent.sh started in FOLDER and those that test
# processes started for themselves in FOLDER/own/ and left running (after a
# crash); removes FOLDER/own/.
# Usage: stop-agents.sh FOLDER
set -uo pipefail
dir=$1
for agent in "$dir" "$dir"/own/*/; do
    [ ! -d "$agent" ] || "$(dirname "$0")/stop-agent.sh" "$agent"
done
rm -rf "$dir/own"
