#pragma once

#include <string>
#include <vector>

// The private snmpd that the snmp_agent test fixture starts (tests/agent).
namespace pulsewell::test {

// "127.0.0.1:PORT"; empty when no agent runs.
std::string TestAgentAddress();
// Read-only community of the agent.
inline constexpr const char* kTestAgentCommunity = "public";
// Folder whose if/<ifIndex>/<column> files the agent serves as the ifTable.
std::string TestAgentStateFolder();
// Writes one column of one fake interface (creating the interface);
// the agent answers with the new value from the next request on.
void SetAgentInterfaceValue(int ifIndex, const std::string& column, const std::string& value);
// Removes one column so that the agent no longer has that object.
void RemoveAgentInterfaceValue(int ifIndex, const std::string& column);
// Back to the two default interfaces the agent started with.
void ResetAgentState();

// The snmpsim agent of the snmp_simulator fixture, serving recordings of real
// devices: "127.0.0.1:PORT", empty when it does not run.
std::string TestSimulatorAddress();
// The recordings it serves; each name is the community that selects it.
std::vector<std::string> TestSimulatorCommunities();

}  // namespace pulsewell::test
