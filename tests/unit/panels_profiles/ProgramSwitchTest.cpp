// Which profile a device should show as programs start and end (the common paths run
// against the simulated mouse in the integration tests).
#include <gtest/gtest.h>

#include "panels/profiles/ProgramSwitch.h"

namespace {

using panels::ProgramSwitchPolicy;
using Kind = ProgramSwitchPolicy::Kind;

class ProgramSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        s.profileIds = {"p1", "p2", "p3"};
        s.userProfileId = "p1";
        s.rules = {{"p2", {"gameA"}}, {"p3", {"*gameB*"}}};
        policy.Reset("p1");
    }
    int Start(const std::string& name) {
        platform::RunningProgram program;
        program.pid = nextPid;
        program.names = {name};
        program.commandLine = "/opt/" + name;
        program.started = static_cast<uint64_t>(nextPid);
        s.programs.push_back(program);
        return nextPid++;
    }
    void End(int pid) {
        std::erase_if(s.programs, [&](const auto& p) { return p.pid == pid; });
    }
    // Decides and carries a switch out; the profile active afterwards.
    std::string Step() {
        const ProgramSwitchPolicy::Decision d = policy.Decide(s);
        if (d.kind == Kind::kSwitch) {
            policy.Switched(d, s.nowMs);
            ++switches;
        }
        last = d;
        return policy.Active();
    }

    ProgramSwitchPolicy::Situation s;
    ProgramSwitchPolicy policy;
    ProgramSwitchPolicy::Decision last;
    int nextPid = 100;
    int switches = 0;
};

TEST_F(ProgramSwitch, AManualChoiceHoldsUntilItsProgramsEnd) {
    const int a = Start("gameA");
    EXPECT_EQ(Step(), "p2");
    s.nowMs += 5000;
    s.userProfileId = "p3";  // the user picked p3 in the list
    policy.UserChose("p3", s);
    s.nowMs += 5000;
    Start("notepad");
    EXPECT_EQ(Step(), "p3") << "gameA still runs: the choice holds";
    s.nowMs += 5000;
    const int b = Start("gameB-2");
    EXPECT_EQ(Step(), "p3") << "gameB started after the choice: its rule applies (p3 already)";
    End(b);
    s.nowMs += 5000;
    End(a);
    EXPECT_EQ(Step(), "p3") << "the user's choice is what comes back";
    s.nowMs += 5000;
    Start("gameA");
    EXPECT_EQ(Step(), "p2") << "a new start of the program applies again";
}

TEST_F(ProgramSwitch, NothingSwitchesDuringAnUploadOrForAMissingProfileOrWhenOff) {
    s.uploading = true;
    Start("gameA");
    EXPECT_EQ(Step(), "p1");
    EXPECT_EQ(last.kind, Kind::kWait);
    s.uploading = false;
    EXPECT_EQ(Step(), "p2") << "the queued switch happens once the channel is idle";

    s.nowMs += 5000;
    s.rules.insert(s.rules.begin(), {"gone", {"gameC"}});
    const int c = Start("gameC");
    EXPECT_EQ(Step(), "p2") << "a rule naming a missing profile does nothing";
    ASSERT_EQ(last.missing.size(), 1u);
    EXPECT_EQ(last.missing[0].pid, c);
    Step();
    EXPECT_TRUE(last.missing.empty()) << "said once";

    s.nowMs += 5000;
    s.enabled = false;
    EXPECT_EQ(Step(), "p1") << "turned off: the user's profile";
}

TEST(ProgramLinks, OneProgramTakesTheFirstMatchingRuleAndTiesGoToTheLaterPid) {
    std::vector<platform::RunningProgram> programs(2);
    programs[0].pid = 5;
    programs[0].names = {"cs2"};
    programs[1].pid = 9;
    programs[1].names = {"cs2"};
    const std::vector<panels::ProgramRule> rules = {{"p2", {"*s2"}}, {"p3", {"cs2"}}};
    const std::vector<panels::ProgramLink> links = panels::FindLinks(programs, rules);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].profileId, "p2");
    const auto winner = panels::WinningLink(links, {"p2", "p3"});
    ASSERT_TRUE(winner);
    EXPECT_EQ(winner->pid, 9);
    EXPECT_FALSE(panels::WinningLink(links, {"p3"})) << "only listed profiles win";
}

}  // namespace
