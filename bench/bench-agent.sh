# Sourced by the polling benchmarks: builds pulsewell-cli if needed, starts a
# private loopback agent and sets cli, work and agent_address; the program's
# folder and settings live in $work, and everything goes at exit.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cli=build/src/cli/pulsewell-cli
[ -x "$cli" ] || scripts/build.sh build >/dev/null
work=$(mktemp -d)
cleanup_work() {
    tests/agent/stop-agent.sh "$work/agent" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup_work EXIT
tests/agent/start-agent.sh "$work/agent" >/dev/null
agent_address=$(cat "$work/agent/address")
mkdir -p "$work/home/config"
export PULSEWELL_HOME=$work/home XDG_CONFIG_HOME=$work/home/config
