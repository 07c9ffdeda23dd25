// One cold load of an add-in library, as the host pays it at its start: LoadLibrary and
// INITEXPERT0016, in a process that is what the IDE is at that moment: a GUI program with
// its main window, USER32, GDI32 and ADVAPI32 loaded, and no C runtime DLL (the IDE's own
// language brings its runtime with it). So this program links no C runtime either: it is
// its own entry point, and its host is the smallest one the add-in's start can talk to, a
// few static objects answering the calls of the menu insertion. Prints the microseconds.
// Usage: cold_load LIBRARY
#include <windows.h>

#include <cstdint>

#if defined(__i386__)
#define HOST_METHOD __stdcall
#define HOST_REGISTER __attribute__((regparm(2)))
#else
#define HOST_METHOD
#define HOST_REGISTER
#endif

namespace {

// A host object: its table first. Every slot the start does not use fails loudly.
struct Object {
  void* const* table;
};

HWND mainWindow = nullptr;

void HOST_METHOD Unused() { ExitProcess(3); }
int32_t HOST_METHOD One(Object*) { return 1; }

// TIMenuItemIntf: GetIndex (4), GetParent (8), InsertItem (23); the item found and its menu.
Object* HOST_METHOD Parent(Object*);
Object* HOST_METHOD Insert(Object*, int32_t, void*, void*, void*, int32_t, int32_t, int32_t, uint8_t, void*, void*);
void* itemTable[24];
Object item{itemTable};
Object* HOST_METHOD Parent(Object*) { return &item; }
Object* HOST_METHOD Insert(Object*, int32_t, void*, void*, void*, int32_t, int32_t, int32_t, uint8_t, void*, void*) {
  return &item;
}

// TIMainMenuIntf: GetMenuItems (3), FindMenuItem (4).
Object* HOST_METHOD Items(Object*) { return &item; }
Object* HOST_METHOD Find(Object*, void*) { return &item; }
void* menuTable[5];
Object menu{menuTable};

// TIToolServices: GetParentHandle (14), GetMainMenu (33).
HWND HOST_METHOD ParentHandle(Object*) { return mainWindow; }
Object* HOST_METHOD MainMenu(Object*) { return &menu; }
void* servicesTable[42];
Object services{servicesTable};

uint8_t HOST_REGISTER Register(void*) { return 1; }

void Fill(void** table, int count) {
  for (int i = 0; i < count; ++i) table[i] = reinterpret_cast<void*>(&Unused);
  table[0] = table[1] = table[2] = reinterpret_cast<void*>(&One);  // AddRef, Release, GetVersion
}

void BuildHost() {
  Fill(itemTable, 24);
  itemTable[4] = reinterpret_cast<void*>(&One);
  itemTable[8] = reinterpret_cast<void*>(&Parent);
  itemTable[23] = reinterpret_cast<void*>(&Insert);
  Fill(menuTable, 5);
  menuTable[3] = reinterpret_cast<void*>(&Items);
  menuTable[4] = reinterpret_cast<void*>(&Find);
  Fill(servicesTable, 42);
  servicesTable[14] = reinterpret_cast<void*>(&ParentHandle);
  servicesTable[33] = reinterpret_cast<void*>(&MainMenu);
}

// The library's path: the command line after the program's name, without its quotes.
const char* LibraryArgument(char* line) {
  if (*line == '"') {
    ++line;
    while (*line && *line != '"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != ' ') ++line;
  }
  while (*line == ' ') ++line;
  if (*line == '"') {
    char* end = ++line;
    while (*end && *end != '"') ++end;
    *end = '\0';
  }
  return line;
}

}  // namespace

extern "C" void WinMainCRTStartup() {
  const char* library = LibraryArgument(GetCommandLineA());
  if (!*library) ExitProcess(1);
  // The host's main window and registry in use, made before the clock starts.
  mainWindow = CreateWindowExA(0, "STATIC", "Delphi 2.0", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS) RegCloseKey(key);
  BuildHost();
  using Entry = uint8_t(HOST_METHOD*)(Object*, uint8_t(HOST_REGISTER*)(void*), void**);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  HMODULE loaded = LoadLibraryA(library);
  if (!loaded) ExitProcess(2);
  void* terminate = nullptr;
  if (auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(loaded, "INITEXPERT0016")))) {
    entry(&services, &Register, &terminate);
  }
  QueryPerformanceCounter(&end);
  char text[32];
  const int length = wsprintfA(text, "%lu\n", static_cast<unsigned long>((end.QuadPart - start.QuadPart) * 1000000 /
                                                                        frequency.QuadPart));
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(length), &written, nullptr);
  ExitProcess(0);
}
