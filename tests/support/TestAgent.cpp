#include "tests/support/TestAgent.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pulsewell::test {

namespace {

std::filesystem::path FolderFromEnvironment(const char* name) {
    const char* dir = std::getenv(name);
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path();
}

std::filesystem::path SimulatorFolder() {
    return FolderFromEnvironment("PULSEWELL_TEST_SIMULATOR");
}

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string AgentScript(const std::string& script) {
    return (FolderFromEnvironment("PULSEWELL_TEST_AGENT_SOURCE") / script).string();
}

int RunAgentScript(const std::string& script, const std::string& arguments) {
    const std::string command = "'" + AgentScript(script) + "' " + arguments + " >/dev/null";
    return std::system(command.c_str());
}

// The agent of a test process that changes its interfaces, so that such tests
// run side by side rather than take turns on the fixture's agent. It goes
// with the process; the fixture's cleanup stops it after a crash.
class OwnAgent {
  public:
    OwnAgent()
        : folder_(FolderFromEnvironment("PULSEWELL_TEST_AGENT") / "own" /
                  std::to_string(getpid())) {
        if (StartAgentIn(folder_.string()).empty()) {
            ADD_FAILURE() << "the test's own agent did not start in " << folder_;
        }
    }
    ~OwnAgent() {
        // Nothing reuses its port, so no waiting until it has gone; without
        // its pid file the fixture's cleanup passes it by.
        std::ifstream in(folder_ / "snmpd.pid");
        pid_t pid = 0;
        if (in >> pid && pid > 0) {
            kill(pid, SIGTERM);
        }
        std::error_code ignored;
        std::filesystem::remove(folder_ / "snmpd.pid", ignored);
    }
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
};

std::filesystem::path AgentFolder() {
    if (std::getenv("PULSEWELL_TEST_OWN_AGENT") == nullptr) {
        return FolderFromEnvironment("PULSEWELL_TEST_AGENT");
    }
    static const OwnAgent own;
    return own.Folder();
}

std::filesystem::path InterfaceFile(int ifIndex, const std::string& column) {
    return std::filesystem::path(TestAgentStateFolder()) / "if" / std::to_string(ifIndex) / column;
}

}  // namespace

std::string TestAgentAddress() {
    return FirstLine(AgentFolder() / "address");
}

std::string TestSimulatorAddress() {
    return FirstLine(SimulatorFolder() / "address");
}

std::vector<std::string> TestSimulatorCommunities() {
    std::ifstream in(SimulatorFolder() / "communities");
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            names.push_back(line);
        }
    }
    return names;
}

std::string StartAgentIn(const std::string& folder) {
    if (RunAgentScript("start-agent.sh", "'" + folder + "'") != 0) {
        return {};
    }
    return FirstLine(std::filesystem::path(folder) / "address");
}

bool RestartAgentIn(const std::string& folder, bool newEngine) {
    return RunAgentScript("restart-agent.sh",
                          "'" + folder + "'" + (newEngine ? " new-engine" : "")) == 0;
}

void StopAgentIn(const std::string& folder) {
    (void)RunAgentScript("stop-agent.sh", "'" + folder + "'");
}

std::string TestAgentStateFolder() {
    return (AgentFolder() / "state").string();
}

void SetAgentInterfaceValue(int ifIndex, const std::string& column, const std::string& value) {
    const auto file = InterfaceFile(ifIndex, column);
    std::filesystem::create_directories(file.parent_path());
    const auto temp = file.string() + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << value << '\n';
    }
    std::filesystem::rename(temp, file);  // the agent never sees half a file
}

void RemoveAgentInterfaceValue(int ifIndex, const std::string& column) {
    std::error_code ignored;
    std::filesystem::remove(InterfaceFile(ifIndex, column), ignored);
}

void ResetAgentState() {
    const std::string seed = AgentScript("seed-state.sh");
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(TestAgentStateFolder()) / "if", ignored);
    const std::string command = "'" + seed + "' '" + TestAgentStateFolder() + "'";
    // The cases after this one count on the seeded state.
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "seeding the agent's state failed: " << command;
    }
}

}  // namespace pulsewell::test
