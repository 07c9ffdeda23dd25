// The binding against the stand-in host, which was written from the host's interface as
// the design states it, not from the binding: every text crosses as the host's long string
// and the host's ledgers find any string leaked, freed twice, written or not the host's.
#include <gtest/gtest.h>

#include "host/host_intf.h"
#include "host/host_ref.h"
#include "host/host_string.h"
#include "hostsim/host.h"

namespace {

struct NameCase {
  const char* what;
  std::string name;
  bool asConstant;
};

class ProjectFileName : public testing::TestWithParam<NameCase> {};

TEST_P(ProjectFileName, IsCopiedOutAndGivenBack) {
  hostsim::Host host;
  host.projectFileName = GetParam().name;
  host.projectNameAsConstant = GetParam().asConstant;
  EXPECT_EQ(host.services()->GetProjectFileName(), GetParam().name) << GetParam().what;
  EXPECT_EQ(host.strings.live(), 0) << GetParam().what;
  EXPECT_EQ(host.Problems(), "") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProjectFileName,
    testing::Values(NameCase{"a string of the host", "C:\\Work\\Sample.dpr", false},
                    NameCase{"a constant of the host", "C:\\Work\\Sample.dpr", true},
                    NameCase{"no project: nil", "", false},
                    NameCase{"Japanese, with a 5C trail byte", "C:\\\x83\x5C\x95\x5C\\P.dpr", false},
                    NameCase{"its length, not its first zero", std::string("C:\\a\0b.dpr", 10), false}));

void HOSTREGISTER NoClick(void*, TIMenuItemIntf*) {}

// Our texts go as host strings the host may read (and keep by copying): the menu's name
// and the new item's three texts, the module's file name.
TEST(Binding, PassesItsTextsAsHostStrings) {
  hostsim::Host host;
  host.AddMenuItem("", "EditMenu", "Edit");
  host.AddMenuItem("EditMenu", "EditObjectItem", "Object");
  host.OpenModule("C:\\Work\\\x83\x5C.dpr", "x");
  {
    HostRef<TIMenuBarIntf> bar(host.services()->GetMenuBar());
    HostRef<TIMenuItemIntf> object(bar->FindItemByName("EditObjectItem"));
    ASSERT_TRUE(object);
    HostRef<TIMenuItemIntf> owner(object->GetOwnerItem());
    HostRef<TIMenuItemIntf> added(owner->InsertChild(2, "ﾊﾞｰｼﾞｮﾝ(&V)", "New", "", 0xA056, 0, 0, 6, {&NoClick, &host}));
    ASSERT_TRUE(added);
    HostRef<TISourceModuleIntf> module(host.services()->OpenSourceModule("C:\\Work\\\x83\x5C.dpr"));
    EXPECT_TRUE(module);
  }
  ASSERT_EQ(host.insertCalls.size(), 1u);
  EXPECT_EQ(host.insertCalls[0].caption, "ﾊﾞｰｼﾞｮﾝ(&V)");
  EXPECT_EQ(host.insertCalls[0].name, "New");
  EXPECT_EQ(host.insertCalls[0].hint, "");
  EXPECT_EQ(host.insertCalls[0].onClick.data, &host);
  EXPECT_EQ(host.Problems(), "");
}

// A string result of ours replaces what the host's variable held, through the host.
TEST(Binding, StoresAResultAfterReleasingTheOldValue) {
  hostsim::Host host;
  TIHostServices& services = *host.services();
  hostapi::HostStr variable = services.NewString("old");
  hostapi::StoreHostString(services, &variable, "Tallowin");
  EXPECT_EQ(hostapi::CopyHostString(variable), "Tallowin");
  hostapi::StoreHostString(services, &variable, "");
  EXPECT_EQ(variable, nullptr);  // the host's empty string
  EXPECT_EQ(host.Problems(), "");
}

}  // namespace
