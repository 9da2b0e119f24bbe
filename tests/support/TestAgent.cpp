#include "TestAgent.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pulsewell::test {

namespace {

std::filesystem::path AgentFolder() {
    const char* dir = std::getenv("PULSEWELL_TEST_AGENT");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path();
}

std::filesystem::path InterfaceFile(int ifIndex, const std::string& column) {
    return std::filesystem::path(TestAgentStateFolder()) / "if" / std::to_string(ifIndex) / column;
}

}  // namespace

std::string TestAgentAddress() {
    std::ifstream in(AgentFolder() / "address");
    std::string address;
    std::getline(in, address);
    return address;
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
    const std::string seed = std::string(PULSEWELL_TEST_AGENT_SOURCE) + "/seed-state.sh";
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(TestAgentStateFolder()) / "if", ignored);
    const std::string command = "'" + seed + "' '" + TestAgentStateFolder() + "'";
    (void)std::system(command.c_str());
}

}  // namespace pulsewell::test
