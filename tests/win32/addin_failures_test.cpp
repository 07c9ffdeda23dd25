// The add-in's host boundary with host operations that raise, linked in-process (a
// failure raised by the stand-in host must not cross a library boundary).
#include <gtest/gtest.h>

#include "addin/globals.h"
#include "addin/quelvar.h"
#include "hostsim/host.h"

namespace {

using hostsim::Fault;

std::vector<TIExpert*> registered;
uint8_t __stdcall RegisterExpert(TIExpert* expert) {
  registered.push_back(expert);
  return 1;
}

class AddInFailures : public testing::TestWithParam<const char*> {
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
  host.SetFault(GetParam(), Fault::Raise);
  EXPECT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{std::string("host failure in ") + GetParam()});
  EXPECT_TRUE(registered.empty());  // the add-in object was not made
  EXPECT_EQ(host.FindMenu("EditVersionItem"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, AddInFailures,
                         testing::Values("GetHostWindow", "GetMenuBar", "GetTopItems", "FindItemByName",
                                         "GetOwnerItem", "GetPosition", "InsertChild"));

TEST(AddInFailure, AHostThatFailsToReportIsSurvived) {
  HostServices = nullptr;
  hostsim::Host host;
  host.SetFault("GetMenuBar", Fault::Raise);
  host.SetFault("ReportError", Fault::Raise);
  TExpertTerminateProc slot = nullptr;
  EXPECT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  EXPECT_EQ(host.ledger.Problems(), "");
  HostServices = nullptr;
}

TEST(AddInFailure, TheCommandReportsAFailingHost) {
  HostServices = nullptr;
  registered.clear();
  hostsim::Host host;
  host.AddMenuItem("", "EditMenu", "編集");
  host.AddMenuItem("EditMenu", "EditObjectItem", "オブジェクト");
  TExpertTerminateProc slot = nullptr;
  ASSERT_EQ(InitExpert(host.services(), &RegisterExpert, &slot), 1);
  host.SetFault("GetProjectFileName", Fault::Raise);
  EXPECT_TRUE(host.Click("EditVersionItem"));
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{"host failure in GetProjectFileName"});
  for (TIExpert* expert : registered) expert->Release();
  registered.clear();
  EXPECT_EQ(host.ledger.Problems(), "");
  HostServices = nullptr;
}

}  // namespace
