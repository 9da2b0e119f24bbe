#pragma once

#include <string>
#include <vector>

// The private snmpd that the snmp_agent test fixture starts (tests/agent).
namespace pulsewell::test {

// "127.0.0.1:PORT"; empty when no agent runs.
std::string TestAgentAddress();
// Read-only community of the agent.
inline constexpr const char* kTestAgentCommunity = "public";
// Passphrases of the agent's SNMPv3 users (tests/agent/v3users.conf).
inline constexpr const char* kTestAgentAuthPassphrase = "pulsewell-auth";
inline constexpr const char* kTestAgentPrivPassphrase = "pulsewell-priv";
// Folder whose if/<ifIndex>/<column> files the agent serves as the ifTable.
std::string TestAgentStateFolder();
// Writes one column of one fake interface (creating the interface);
// the agent answers with the new value from the next request on.
void SetAgentInterfaceValue(int ifIndex, const std::string& column, const std::string& value);
// Removes one column so that the agent no longer has that object.
void RemoveAgentInterfaceValue(int ifIndex, const std::string& column);
// Back to the two default interfaces the agent started with.
void ResetAgentState();

// Another agent like the fixture's, in a folder of its own, for a test that
// stops and starts it: its address, empty when it did not start.
std::string StartAgentIn(const std::string& folder);
// Stops it and starts it again on the same address, as a device reboots
// (engine boots one up); with newEngine its persistent state is lost (a new
// engine ID, boots from 1). False when it did not come back.
bool RestartAgentIn(const std::string& folder, bool newEngine = false);
void StopAgentIn(const std::string& folder);

// The snmpsim agent of the snmp_simulator fixture, serving recordings of real
// devices: "127.0.0.1:PORT", empty when it does not run.
std::string TestSimulatorAddress();
// The recordings it serves; each name is the community that selects it.
std::vector<std::string> TestSimulatorCommunities();

}  // namespace pulsewell::test
