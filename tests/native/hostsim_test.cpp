#include <gtest/gtest.h>

#include "base/error.h"
#include "host/host_call.h"
#include "host/host_ref.h"
#include "hostsim/host.h"

namespace {

using hostsim::Fault;
using hostsim::Host;

struct WriterCase {
  const char* what;
  void (*edit)(TIBufferWriter&);
  const char* after;
};

class WriterEdits : public testing::TestWithParam<WriterCase> {};

TEST_P(WriterEdits, TakeEffectOnRelease) {
  Host host;
  host.OpenModule("P.dpr", "0123456789");
  HostRef<TISourceModuleIntf> module(host.services()->OpenSourceModule("p.DPR"));
  HostRef<TIEditBufferIntf> buffer(module->GetEditBuffer());
  HostRef<TIBufferWriter> writer(buffer->NewWriter());
  GetParam().edit(*writer);
  EXPECT_EQ(host.FindModule("P.dpr")->text, "0123456789") << "before release";
  writer.reset();
  EXPECT_EQ(host.FindModule("P.dpr")->text, GetParam().after) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriterEdits,
    testing::Values(WriterCase{"nothing", [](TIBufferWriter&) {}, "0123456789"},
                    WriterCase{"insert", [](TIBufferWriter& w) { w.KeepUpTo(3); w.InsertText("ab"); }, "012ab3456789"},
                    WriterCase{"skip", [](TIBufferWriter& w) { w.KeepUpTo(3); w.SkipUpTo(5); }, "01256789"},
                    WriterCase{"insert at 0", [](TIBufferWriter& w) { w.InsertText("x"); }, "x0123456789"},
                    WriterCase{"beyond end", [](TIBufferWriter& w) { w.KeepUpTo(99); w.InsertText("!"); }, "0123456789!"},
                    WriterCase{"skip to end", [](TIBufferWriter& w) { w.SkipUpTo(99); }, ""}));

// The click handler's data is the counter itself, so that no state outlives one run.
void HOSTAPI CountClick(void* data, TIMenuItemIntf* sender) {
  ++*static_cast<int*>(data);
  EXPECT_NE(sender, nullptr);
}

TEST(StandInHost, MenuSearchPositionsAndClicks) {
  Host host;
  host.AddMenuItem("", "EditMenu", "Edit");
  host.AddMenuItem("EditMenu", "A", "a");
  host.AddMenuItem("EditMenu", "EditObjectItem", "Object");
  HostRef<TIMenuBarIntf> bar(host.services()->GetMenuBar());
  EXPECT_EQ(HostRef<TIMenuItemIntf>(bar->FindItemByName("Missing")).get(), nullptr);
  HostRef<TIMenuItemIntf> item(bar->FindItemByName("EditObjectItem"));
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetPosition(), 1);
  HostRef<TIMenuItemIntf> owner(item->GetOwnerItem());
  int clicks = 0;
  TIMenuClickEvent onClick{&CountClick, &clicks};
  HostRef<TIMenuItemIntf> added(owner->InsertChild(2, "Cap", "New", "", 0xA056, 0, 0, 6, onClick));
  ASSERT_TRUE(added);
  EXPECT_EQ(added->GetPosition(), 2);
  EXPECT_TRUE(host.Click("New"));
  EXPECT_EQ(clicks, 1);  // also proves the handler got its own data back
  EXPECT_FALSE(host.Click("A"));  // no handler
  added.reset();
  owner.reset();
  item.reset();
  bar.reset();
  EXPECT_EQ(host.ledger.Problems(), "");
}

TEST(StandInHost, LedgerReportsObjectsHeldOrReleasedTooOften) {
  Host host;
  TIMenuBarIntf* bar = host.services()->GetMenuBar();
  EXPECT_NE(host.ledger.Problems(), "");
  bar->Release();
  EXPECT_EQ(host.ledger.Problems(), "");
  bar->Release();
  EXPECT_NE(host.ledger.Problems().find("released too often"), std::string::npos);
}

TEST(StandInHost, FaultsApplyFromTheChosenCallOn) {
  Host host;
  host.SetFault("GetMenuBar", Fault::ReturnNull, 1);
  HostRef<TIMenuBarIntf> first(host.services()->GetMenuBar());
  EXPECT_TRUE(first);
  EXPECT_FALSE(HostRef<TIMenuBarIntf>(host.services()->GetMenuBar()));
  host.SetFault("GetMenuBar", Fault::Raise);
  EXPECT_THROW(hostapi::Call([&] { return host.services()->GetMenuBar(); }), base::Error);
  host.ClearFaults();
  EXPECT_TRUE(HostRef<TIMenuBarIntf>(host.services()->GetMenuBar()));
  first.reset();
  EXPECT_EQ(host.ledger.Problems(), "");
}

// As the IDE's OS exceptions, the stand-in's failures pass every C++ catch on their way to
// the guard.
TEST(StandInHost, ItsFailuresPassEveryCatchToTheGuard) {
  Host host;
  bool caughtOnTheWay = false;
  for (Fault fault : {Fault::Raise, Fault::AccessViolation}) {
    host.SetFault("GetMenuBar", fault);
    EXPECT_THROW(hostapi::Call([&]() -> TIMenuBarIntf* {
                   try {
                     return host.services()->GetMenuBar();
                   } catch (...) {
                     caughtOnTheWay = true;
                     return nullptr;
                   }
                 }),
                 base::Error);
  }
  EXPECT_FALSE(caughtOnTheWay);
  EXPECT_EQ(host.ledger.Problems(), "");
}

TEST(StandInHost, RecordsAReaderAliveWhileAWriterIsMade) {
  Host host;
  host.OpenModule("P.dpr", "x");
  HostRef<TISourceModuleIntf> module(host.services()->OpenSourceModule("P.dpr"));
  HostRef<TIEditBufferIntf> buffer(module->GetEditBuffer());
  HostRef<TIBufferReader> reader(buffer->NewReader());
  HostRef<TIBufferWriter> writer(buffer->NewWriter());
  EXPECT_TRUE(host.FindModule("P.dpr")->readerAndWriterAtOnce);
}

}  // namespace
