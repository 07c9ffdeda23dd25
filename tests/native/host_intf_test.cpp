// Calls through the raw vtables, as the host does across the library boundary, to prove
// that every operation sits at its position.
#include <gtest/gtest.h>

#include <cstring>

#include "host/host_intf.h"
#include "hostsim/host.h"

namespace {

using Slot = void*;

Slot* VTable(void* object) { return *static_cast<Slot**>(object); }

template <typename R, typename... A>
R CallAt(void* object, int position, A... args) {
  auto fn = reinterpret_cast<R(HOSTAPI*)(void*, A...)>(VTable(object)[position]);
  return fn(object, args...);
}

// An add-in object whose every operation reports the position it was called at.
class ProbeExpert final : public TIExpert {
 public:
  int last = -1;
  int32_t refs = 1;
  int32_t HOSTAPI AddRef() override { last = 0; return ++refs; }
  int32_t HOSTAPI Release() override { last = 1; return --refs; }
  int32_t HOSTAPI GetVersion() override { last = 2; return kInterfaceVersion; }
  const char* HOSTAPI GetName() override { last = 3; return "Tallowin"; }
  const char* HOSTAPI GetAuthor() override { last = 4; return nullptr; }
  const char* HOSTAPI GetComment() override { last = 5; return nullptr; }
  const char* HOSTAPI GetPage() override { last = 6; return nullptr; }
  void* HOSTAPI GetGlyph() override { last = 7; return nullptr; }
  uint8_t HOSTAPI GetStyle() override { last = 8; return esAddIn; }
  uint8_t HOSTAPI GetState() override { last = 9; return esEnabled; }
  const char* HOSTAPI GetIDString() override { last = 10; return "Orbelane.VersionResourceExpert"; }
  const char* HOSTAPI GetMenuText() override { last = 11; return nullptr; }
  void HOSTAPI Execute() override { last = 12; }
};

TEST(HostInterface, AddInObjectPositionsZeroToTwelve) {
  ProbeExpert expert;
  EXPECT_EQ(static_cast<void*>(&expert), static_cast<void*>(static_cast<TIExpert*>(&expert)));
  for (int position = 0; position <= 12; ++position) {
    CallAt<void>(&expert, position);
    EXPECT_EQ(expert.last, position);
  }
  EXPECT_EQ(CallAt<uint8_t>(&expert, 8), 3);
  EXPECT_EQ(CallAt<uint8_t>(&expert, 9), 1);
  EXPECT_STREQ(CallAt<const char*>(&expert, 3), "Tallowin");
  EXPECT_STREQ(CallAt<const char*>(&expert, 10), "Orbelane.VersionResourceExpert");
}

void HOSTAPI NoClick(void*, TIMenuItemIntf*) {}

TEST(HostInterface, StandInHostObjectsAnswerAtTheirPositions) {
  hostsim::Host host;
  host.projectFileName = "C:\\Work\\Sample.dpr";
  host.hostWindow = reinterpret_cast<HWND__*>(0x1234);
  host.AddMenuItem("", "EditMenu", "Edit");
  host.AddMenuItem("EditMenu", "EditUndoItem", "Undo");
  host.AddMenuItem("EditMenu", "EditObjectItem", "Object");
  host.OpenModule("C:\\Work\\Sample.dpr", "abc");
  TIHostServices* services = host.services();

  EXPECT_EQ(CallAt<int32_t>(services, 2), 2);
  EXPECT_EQ(CallAt<HWND__*>(services, 3), host.hostWindow);
  EXPECT_STREQ(CallAt<const char*>(services, 4), "C:\\Work\\Sample.dpr");
  CallAt<void>(services, 6, "boom");
  EXPECT_EQ(host.reportedErrors, std::vector<std::string>{"boom"});

  void* bar = CallAt<void*>(services, 5);
  void* top = CallAt<void*>(bar, 3);
  ASSERT_NE(top, nullptr);
  void* object = CallAt<void*>(bar, 4, "EditObjectItem");
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(CallAt<int32_t>(object, 3), 1);
  void* owner = CallAt<void*>(object, 4);
  ASSERT_NE(owner, nullptr);
  TIMenuClickEvent click{&NoClick, &host};
  void* inserted = CallAt<void*>(owner, 5, 2, "Cap", "NewItem", "", 0xA056, 0, 0, uint8_t{6}, click);
  ASSERT_NE(inserted, nullptr);
  ASSERT_EQ(host.insertCalls.size(), 1u);
  EXPECT_EQ(host.insertCalls[0].shortCut, 0xA056);
  EXPECT_EQ(host.insertCalls[0].flags, 6);
  EXPECT_EQ(host.insertCalls[0].onClick.Data, &host);
  EXPECT_EQ(host.FindMenu("NewItem")->Position(), 2);

  void* module = CallAt<void*>(services, 7, "C:\\Work\\Sample.dpr");
  void* buffer = CallAt<void*>(module, 3);
  void* reader = CallAt<void*>(buffer, 3);
  char c[4] = {};
  EXPECT_EQ(CallAt<int32_t>(reader, 3, 1, c, 4), 2);
  EXPECT_EQ(std::string(c, 2), "bc");
  CallAt<int32_t>(reader, 1);
  void* writer = CallAt<void*>(buffer, 4);
  CallAt<void>(writer, 3, 1);           // KeepUpTo
  CallAt<void>(writer, 5, "X");         // InsertText
  CallAt<void>(writer, 4, 2);           // SkipUpTo
  CallAt<int32_t>(writer, 1);
  EXPECT_EQ(host.FindModule("C:\\Work\\Sample.dpr")->text, "aXc");

  for (void* o : {inserted, owner, object, top, bar, buffer, module}) {
    EXPECT_EQ(CallAt<int32_t>(o, 0), 2);
    EXPECT_EQ(CallAt<int32_t>(o, 1), 1);
    EXPECT_EQ(CallAt<int32_t>(o, 1), 0);
  }
  EXPECT_EQ(host.ledger.Problems(), "");
}

}  // namespace
