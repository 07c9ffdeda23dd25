// The add-in's host boundary, linked in-process, with host operations that fail as the
// host IDE fails: its language's exception or an access violation.
#include <gtest/gtest.h>

#include "addin/globals.h"
#include "addin/quelvar.h"
#include "hostsim/host.h"
#include "tests/support/host_failures.h"
#include "tests/win32/ui_script.h"

namespace {

using hostsim::Fault;

std::vector<TIExpert*> registered;
uint8_t __stdcall RegisterExpert(TIExpert* expert) {
  registered.push_back(expert);
  return 1;
}

class AddInFailures : public testing::TestWithParam<std::tuple<const char*, Fault>> {
 protected:
  void SetUp() override {
    HostServices = nullptr;
    registered.clear();
    host.AddMenuItem("", "EditMenu", "編集");
    host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
  }
  void TearDown() override {
    for (TIExpert* expert : registered) expert->Release();
    HostServices = nullptr;
    EXPECT_EQ(host.ledger.Problems(), "");
  }
  hostsim::Host host;
  TExpertTerminateProc slot = nullptr;
};

TEST_P(AddInFailures, AreReportedToTheHostAndTheEntryStillAnswersTrue) {
  const auto& [operation, fault] = GetParam();
  host.SetFault(operation, fault);
  EXPECT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(fault, operation)});
  EXPECT_TRUE(registered.empty());  // the add-in object was not made
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, AddInFailures,
                         testing::Combine(testing::Values("GetHostWindow", "GetMenuBar", "GetTopItems",
                                                          "FindItemByName", "GetOwnerItem", "GetPosition",
                                                          "InsertChild"),
                                          testing::ValuesIn(testsupport::kRaisingFaults)));

TEST(AddInFailure, AHostThatFailsToReportIsSurvived) {
  HostServices = nullptr;
  hostsim::Host host;
  host.SetFault("GetMenuBar", Fault::Raise);
  host.SetFault("ReportError", Fault::AccessViolation);
  TExpertTerminateProc slot = nullptr;
  EXPECT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  EXPECT_EQ(host.ledger.Problems(), "");
  HostServices = nullptr;
}

class CommandFailures : public testing::TestWithParam<Fault> {};

TEST_P(CommandFailures, AreReportedAndTheCommandWorksAgain) {
  HostServices = nullptr;
  registered.clear();
  hostsim::Host host;
  host.AddMenuItem("", "EditMenu", "編集");
  host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
  TExpertTerminateProc slot = nullptr;
  ASSERT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  host.SetFault("GetProjectFileName", GetParam());
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{testsupport::FailureMessage(GetParam(), "GetProjectFileName")});
  host.ClearFaults();
  host.projectFileName.clear();  // the command runs again: without a project, its error box
  std::string shown;
  testsupport::UiScript script({[&] { shown = testsupport::TakeMessageBox("ｴﾗｰ", IDOK); }});
  EXPECT_TRUE(script.Run([&] { host.Click("EditVersionItem"); }));
  EXPECT_EQ(shown, "ﾌﾟﾛｼﾞｪｸﾄが開かれていません");
  for (TIExpert* expert : registered) expert->Release();
  registered.clear();
  EXPECT_EQ(host.ledger.Problems(), "");
  HostServices = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Kinds, CommandFailures, testing::ValuesIn(testsupport::kRaisingFaults));

}  // namespace
