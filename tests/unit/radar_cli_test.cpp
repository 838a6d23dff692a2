// radar-cli as a user runs it, against the in-process module simulator.
#include "radar_simulator.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

class RadarCli : public ::testing::Test {
protected:
    void StartModule(std::initializer_list<const char*> faults = {}) {
        radarsim::SimulatorOptions options;
        options.rateHz = 50;
        std::string error;
        for (const char* fault : faults)
            ASSERT_TRUE(radarsim::AddFault(options.faults, fault, error)) << error;
        simulator = std::make_unique<radarsim::RadarSimulator>(std::move(options));
        port = simulator->Start();
        ASSERT_FALSE(port.empty()) << simulator->Error();
    }

    CliRun Cli(const std::string& arguments) {
        std::string out = folder.File("out"), err = folder.File("err");
        std::string command =
            std::string("'") + RADAR_CLI_PROGRAM + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
    }

    TempFolder folder;
    std::unique_ptr<radarsim::RadarSimulator> simulator;
    std::string port;
};

} // namespace

TEST_F(RadarCli, ReadsAndWritesTheModule) {
    StartModule();
    CliRun version = Cli("--port " + port + " version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "V1.02.22062416\n");

    CliRun write =
        Cli("--port " + port + " --baud 115200 write --moving-max 6 --motionless-max 4 --off-time 30");
    EXPECT_EQ(write.status, 0) << write.err;
    CliRun sens = Cli("--port " + port + " sens --gate all --moving 45 --motionless 25");
    EXPECT_EQ(sens.status, 0) << sens.err;
    CliRun one = Cli("--port " + port + " sens --gate 2 --moving 60 --motionless 5");
    EXPECT_EQ(one.status, 0) << one.err;

    // The port may come first, as serial tools take it.
    CliRun read = Cli(port + " read");
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "gates 9\n"
                        "moving max gate 6\n"
                        "motionless max gate 4\n"
                        "off time 30 s\n"
                        "moving sensitivity 45,45,60,45,45,45,45,45,45\n"
                        "motionless sensitivity 25,25,5,25,25,25,25,25,25\n");

    CliRun json = Cli(port + " read --json");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"gates\": 9, \"movingMaxGate\": 6, \"motionlessMaxGate\": 4, \"offTime\": 30, "
                        "\"moving\": [45, 45, 60, 45, 45, 45, 45, 45, 45], "
                        "\"motionless\": [25, 25, 5, 25, 25, 25, 25, 25, 25]}\n");
}

// list needs no port and no module; it prints one port a line (this machine may have none).
TEST_F(RadarCli, ListPrintsThePortsWithoutOpeningOne) {
    CliRun list = Cli("list");
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(list.err.empty()) << list.err;
    EXPECT_TRUE(list.out.empty() || list.out.back() == '\n');
    EXPECT_EQ(list.out.find("/dev/") == std::string::npos, list.out.empty()) << list.out;
}

TEST_F(RadarCli, RefusalsAndSilenceExitWithOneAndSayWhy) {
    StartModule({"noack:0x0061"});
    CliRun refused = Cli("--port " + port + " write --moving-max 12 --motionless-max 4 --off-time 3");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("write failed: refused by the module"), std::string::npos) << refused.err;

    CliRun silent = Cli("--port " + port + " read");
    EXPECT_EQ(silent.status, 1);
    EXPECT_NE(silent.err.find("read failed: no acknowledgement"), std::string::npos) << silent.err;

    CliRun missing = Cli("--port " + folder.File("no-such-port") + " version");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

TEST_F(RadarCli, StreamsReportsAndCapturesTheBytes) {
    StartModule();
    std::string capture = folder.File("run.dat");
    CliRun stream = Cli("--port " + port + " stream --engineering --seconds 1 --capture '" + capture + "'");
    EXPECT_EQ(stream.status, 0) << stream.err;
    EXPECT_NE(stream.out.find("State="), std::string::npos);
    EXPECT_EQ(stream.out.find('\r'), std::string::npos);
    std::string bytes = ReadBytes(capture);
    EXPECT_GE(bytes.size(), 45u * 10u); // engineering frames at 50 per second
    EXPECT_TRUE(simulator->State().parameters.engineering);
}

TEST_F(RadarCli, WrongUsageExitsWithTwo) {
    for (const char* arguments :
         {"", "version", "--port /dev/null", "--port /dev/null fly", "--port /dev/null write", "/dev/null",
          "/dev/null /dev/zero read", "read --json",
          "--port /dev/null sens --gate x --moving 1 --motionless 1", "--port /dev/null --baud fast version",
          "--port /dev/null stream --seconds -1"}) {
        CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("usage: radar-cli"), std::string::npos) << arguments;
    }
}
