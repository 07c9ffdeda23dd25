// The stand-in host through its tables, called as an add-in calls them: slot numbers,
// conventions and string rules written here from the host's interface, not taken from the
// stand-in or the add-in's binding.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "base/error.h"
#include "host/host_call.h"
#include "hostsim/host.h"

#if defined(__i386__)
#define STDCALL __attribute__((stdcall))
#define REGISTER __attribute__((regparm(2)))
#else
#define STDCALL
#define REGISTER
#endif

namespace {

using hostsim::Fault;
using hostsim::Host;
using Str = char*;

// Slots: services 5 OpenProjectInfo, 15 GetProjectName, 31 GetModuleInterface, 33
// GetMainMenu, 36-40 the string functions and RaiseException; menu 3 GetMenuItems, 4
// FindMenuItem; item 3 DestroyMenuItem, 4 GetIndex, 8 GetParent, 23 InsertItem; module 3;
// editor 3 reader, 4 writer; writer 3 CopyTo, 4 DeleteTo, 5 Insert.
template <typename R, typename... A>
R Call(const void* object, int slot, A... args) {
  using F = R(STDCALL*)(const void*, A...);
  return reinterpret_cast<F>((*static_cast<void* const* const*>(object))[slot])(object, args...);
}
void* Obj(const void* object, int slot) { return Call<void*>(object, slot); }
int32_t Release(const void* object) { return Call<int32_t>(object, 1); }
Str New(Host& h, const char* text) { return Call<Str>(h.services(), 36, text); }
void Free(Host& h, Str& s) { Call<void>(h.services(), 37, &s); }
int32_t CountOf(const char* s) { return reinterpret_cast<const int32_t*>(s)[-2]; }

// A constant block as the host's language lays one out: count -1, length, text, zero.
struct Constant {
  int32_t count = -1;
  int32_t length;
  char text[24] = {};
  explicit Constant(const char* t) : length(static_cast<int32_t>(std::strlen(t))) { std::strcpy(text, t); }
};

Str ProjectName(Host& h, Str* result) {
  using F = void(STDCALL*)(Str*, const void*);
  reinterpret_cast<F>((*reinterpret_cast<void* const* const*>(h.services()))[15])(result, h.services());
  return *result;
}

void* OpenWriter(Host& h, void*& module, void*& editor) {
  Str name = New(h, "p.DPR");
  module = Call<void*>(h.services(), 31, name);
  Free(h, name);
  editor = Obj(module, 3);
  return Obj(editor, 4);
}

struct WriterCase {
  const char* what;
  void (*edit)(void* writer);
  const char* after;
};

class WriterEdits : public testing::TestWithParam<WriterCase> {};

TEST_P(WriterEdits, TakeEffectOnRelease) {
  Host host;
  host.OpenModule("P.dpr", "0123456789");
  void *module, *editor;
  void* writer = OpenWriter(host, module, editor);
  GetParam().edit(writer);
  EXPECT_EQ(host.FindModule("P.dpr")->text, "0123456789") << "before release";
  for (void* object : {writer, editor, module}) Release(object);
  EXPECT_EQ(host.FindModule("P.dpr")->text, GetParam().after) << GetParam().what;
  EXPECT_EQ(host.Problems(), "");
}

uint8_t Keep(void* w, int32_t to) { return Call<uint8_t>(w, 3, to); }
uint8_t Skip(void* w, int32_t to) { return Call<uint8_t>(w, 4, to); }
uint8_t Put(void* w, const char* text) { return Call<uint8_t>(w, 5, text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, WriterEdits,
    testing::Values(WriterCase{"nothing", [](void*) {}, "0123456789"},
                    WriterCase{"insert", [](void* w) { Keep(w, 3), Put(w, "ab"); }, "012ab3456789"},
                    WriterCase{"skip", [](void* w) { Keep(w, 3), Skip(w, 5); }, "01256789"},
                    WriterCase{"insert at 0", [](void* w) { Put(w, "x"); }, "x0123456789"},
                    WriterCase{"beyond end", [](void* w) { Keep(w, 99), Put(w, "!"); }, "0123456789!"},
                    WriterCase{"skip to end", [](void* w) { Skip(w, 99); }, ""}));

struct Clicked {
  int count = 0;
  void* sender = nullptr;
};

void REGISTER CountClick(void* data, void* sender) {
  auto* clicked = static_cast<Clicked*>(data);
  ++clicked->count;
  clicked->sender = sender;
}

TEST(StandInHost, MenuSearchPositionsInsertAndClick) {
  Host host;
  host.AddMenuItem("", "EditMenu", "Edit");
  host.AddMenuItem("EditMenu", "A", "a");
  host.AddMenuItem("EditMenu", "EditObjectItem", "Object");
  void* bar = Obj(host.services(), 33);
  Str missing = New(host, "Missing"), object = New(host, "EditObjectItem");
  EXPECT_EQ(Call<void*>(bar, 4, missing), nullptr);
  void* item = Call<void*>(bar, 4, object);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(Call<int32_t>(item, 4), 1);
  void* owner = Obj(item, 8);
  Str caption = New(host, "Cap");
  Constant name("New");
  Clicked clicked;
  void* added = Call<void*>(owner, 23, int32_t{2}, caption, name.text, Str{}, int32_t{0xA056}, int32_t{7}, int32_t{0},
                            uint8_t{6}, hostsim::ClickEvent{reinterpret_cast<void*>(&CountClick), &clicked});
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(CountOf(caption), 1);  // the value parameter's reference dropped again
  EXPECT_EQ(name.count, -1);       // a constant's count never written
  EXPECT_EQ(Call<int32_t>(added, 4), 2);
  const hostsim::InsertChildCall& call = host.insertCalls.at(0);
  EXPECT_EQ(call.owner + call.caption + call.name + call.hint, "EditMenuCapNew");
  EXPECT_EQ(std::vector<int32_t>({call.index, call.shortCut, call.context, call.groupIndex, call.flags}),
            std::vector<int32_t>({2, 0xA056, 7, 0, 6}));

  EXPECT_TRUE(host.Click("New"));
  EXPECT_EQ(clicked.count, 1);  // the event got its own Data back
  EXPECT_NE(clicked.sender, nullptr);
  EXPECT_FALSE(host.Click("A"));  // no event
  EXPECT_EQ(Call<uint8_t>(item, 3), 0);  // the host's own item stays
  EXPECT_EQ(Call<uint8_t>(added, 3), 1);
  EXPECT_EQ(host.FindMenu("New"), nullptr);
  for (void* o : {added, owner, item, bar}) Release(o);
  for (Str* s : {&missing, &object, &caption}) Free(host, *s);
  EXPECT_EQ(host.Problems(), "DestroyMenuItem of the host's own item EditObjectItem; ");
}

// Each act leaves one thing wrong that the host must find.
struct ProblemCase {
  const char* what;
  void (*act)(Host&);
  const char* found;
};

class Ledgers : public testing::TestWithParam<ProblemCase> {};

TEST_P(Ledgers, ReportWhatIsWrong) {
  Host host;
  host.AddMenuItem("", "EditObjectItem", "Object");
  host.OpenModule("P.dpr", "x");
  GetParam().act(host);
  EXPECT_NE(host.Problems().find(GetParam().found), std::string::npos) << GetParam().what << ": " << host.Problems();
}

// An act that the host answers with its exception, caught as the add-in's guard catches it.
void Raising(const std::function<void()>& act) { EXPECT_THROW(hostapi::Call(act), base::Error); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Ledgers,
    testing::Values(
        ProblemCase{"held", [](Host& h) { Obj(h.services(), 33); }, "MenuBar #1 still held"},
        ProblemCase{"released twice", [](Host& h) { void* bar = Obj(h.services(), 33); Release(bar), Release(bar); },
                    "MenuBar #1 released too often"},
        ProblemCase{"leaked", [](Host& h) { New(h, "kept"); }, "string \"kept\" leaked"},
        ProblemCase{"freed twice", [](Host& h) { Str a = New(h, "twice"), b = a; Free(h, a), Free(h, b); },
                    "string \"twice\" freed twice"},
        ProblemCase{"C string",
                    [](Host& h) { void* bar = Obj(h.services(), 33); Call<void*>(bar, 4, "EditObjectItem"), Release(bar); },
                    "FindMenuItem's name: \"EditObjectItem\" is not a host string"},
        ProblemCase{"written constant",
                    [](Host& h) { h.projectFileName = "P.dpr", h.projectNameAsConstant = true; Str s = nullptr;
                                  ++reinterpret_cast<int32_t*>(ProjectName(h, &s))[-2]; },
                    "constant \"P.dpr\" written"},
        ProblemCase{"unexpected slot", [](Host& h) { Raising([&] { Call<uint8_t>(h.services(), 5, "P.dpr"); }); },
                    "TIToolServices slot 5 (OpenProjectInfo) called"},
        ProblemCase{"not an object",
                    [](Host& h) { const void* fake = *reinterpret_cast<void* const*>(h.services());
                                  Raising([&] { Obj(&fake, 14); }); },
                    "slot 14 (GetParentHandle) called with a Self that is no live TIToolServices"},
        ProblemCase{"result at Self",
                    [](Host& h) { Raising([&] { ProjectName(h, reinterpret_cast<Str*>(h.services())); }); },
                    "result variable at Self"},
        ProblemCase{"reader and writer",
                    [](Host& h) { void *m, *e, *w = OpenWriter(h, m, e), *r = Obj(e, 3);
                                  for (void* o : {r, w, e, m}) Release(o); },
                    "a reader and a writer of p.dpr alive at once"}));

struct FaultCase {
  Fault fault;
  std::string message;  // empty: the call returns null
};

class Faults : public testing::TestWithParam<FaultCase> {};

TEST_P(Faults, ApplyFromTheChosenCallOn) {
  Host host;
  host.SetFault("GetMenuBar", GetParam().fault, 1);
  void* first = Obj(host.services(), 33);
  EXPECT_NE(first, nullptr);
  try {
    EXPECT_EQ(hostapi::Call([&] { return Obj(host.services(), 33); }), nullptr);
    EXPECT_EQ(GetParam().message, "");
  } catch (const base::Error& e) {
    EXPECT_EQ(e.what(), GetParam().message);
  }
  host.ClearFaults();
  for (void* bar : {first, Obj(host.services(), 33)}) EXPECT_EQ(Release(bar), 0);
  EXPECT_EQ(host.Problems(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Faults,
                         testing::Values(FaultCase{Fault::ReturnNull, ""},
                                         FaultCase{Fault::Raise, "host failure in GetMenuBar"},
                                         FaultCase{Fault::AccessViolation,
                                                   hostapi::HostExceptionText(hostapi::kAccessViolationCode, "")}));

// As the IDE's OS exceptions, the stand-in's failures pass every C++ catch on their way to
// the guard.
TEST(StandInHost, ItsFailuresPassEveryCatchToTheGuard) {
  Host host;
  bool caughtOnTheWay = false;
  for (Fault fault : {Fault::Raise, Fault::AccessViolation}) {
    host.SetFault("GetMenuBar", fault);
    Raising([&] {
      try {
        Obj(host.services(), 33);
      } catch (...) {
        caughtOnTheWay = true;
      }
    });
  }
  EXPECT_FALSE(caughtOnTheWay);
  EXPECT_EQ(host.Problems(), "");
}

// The IDE's side: an add-in object of our own, registered through INITEXPERT0016.
struct Expert {
  const void* const* table;
  int32_t refs = 1;
  void* services = nullptr;
};
Expert* expertToRegister = nullptr;

int32_t STDCALL ExpertRelease(Expert* self) { return --self->refs; }
void STDCALL ExpertName(Str* result, Expert* self) {
  Call<void>(self->services, 37, result);  // the old value is ours to free
  *result = Call<Str>(self->services, 36, "Name");
}
uint8_t STDCALL ExpertStyle(Expert*) { return 3; }
uint8_t STDCALL InitExpert(void* services, uint8_t(REGISTER* registerExpert)(void*), void**) {
  expertToRegister->services = services;
  return registerExpert(expertToRegister);
}

TEST(StandInHost, RegistersQueriesAndReleasesTheAddInObject) {
  const void* table[13] = {};
  table[1] = reinterpret_cast<void*>(&ExpertRelease);
  table[3] = reinterpret_cast<void*>(&ExpertName);
  table[8] = reinterpret_cast<void*>(&ExpertStyle);
  Expert expert{table};
  expertToRegister = &expert;
  Host host;
  EXPECT_EQ(host.InitExpert(reinterpret_cast<void*>(&InitExpert)), 1);
  expertToRegister = nullptr;
  ASSERT_EQ(host.experts().size(), 1u);
  TIExpert* registered = host.experts()[0];
  EXPECT_EQ(host.ExpertText(registered, 3, "old name"), "Name");
  EXPECT_EQ(host.ExpertByte(registered, 8), 3);
  host.ReleaseExperts();
  EXPECT_EQ(expert.refs, 0);
  EXPECT_EQ(host.Problems(), "");
}

// What comes out of a click reaches the host's handler, which shows its message.
struct ClickCase {
  const char* what;
  void(REGISTER* event)(void* data, void* sender);
  std::vector<std::string> reported;
};

void REGISTER ReportsError(void* data, void*) {
  static Constant message("Refused");
  Call<void>(static_cast<Host*>(data)->services(), 40, message.text);
}
void REGISTER MeetsFailure(void* data, void*) { Obj(static_cast<Host*>(data)->services(), 33); }
void REGISTER ClicksInside(void* data, void*) { static_cast<Host*>(data)->Click("Inner"); }

class Clicks : public testing::TestWithParam<ClickCase> {};

TEST_P(Clicks, EndInTheHostsHandler) {
  Host host;
  host.SetFault("GetMenuBar", Fault::Raise);
  std::vector<std::string> shown;
  host.onReportError = [&shown](const std::string& message) { shown.push_back(message); };
  host.AddMenuItem("", "Outer", "o").onClick = {reinterpret_cast<void*>(GetParam().event), &host};
  host.AddMenuItem("", "Inner", "i").onClick = {reinterpret_cast<void*>(&ReportsError), &host};
  EXPECT_TRUE(host.Click("Outer"));
  EXPECT_EQ(host.reportedErrors, GetParam().reported) << GetParam().what;
  EXPECT_EQ(shown, GetParam().reported);
  EXPECT_EQ(host.Problems(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Clicks,
                         testing::Values(ClickCase{"ReportError", &ReportsError, {"Refused"}},
                                         ClickCase{"host failure", &MeetsFailure, {"host failure in GetMenuBar"}},
                                         ClickCase{"nested", &ClicksInside, {"Refused"}}));

}  // namespace
