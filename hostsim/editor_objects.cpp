// The editor objects of a source module: the module (TIModuleInterface), its editor buffer
// (TIEditorInterface), and the buffer's reader and writer (TIEditReader, TIEditWriter).
#include <algorithm>
#include <cstring>

#include "hostsim/objects.h"

namespace hostsim {
namespace {

const Entry* ModuleTable();
const Entry* EditorTable();
const Entry* ReaderTable();
const Entry* WriterTable();

struct ModuleObject : Object {
  static constexpr Interface kInterface = Interface::Module;
  ModuleObject(Host& host, SourceModule* source) : Object(host, kInterface, ModuleTable()), module(source) {}
  SourceModule* module;
};

struct Editor : Object {
  static constexpr Interface kInterface = Interface::Editor;
  Editor(Host& host, SourceModule* source) : Object(host, kInterface, EditorTable()), module(source) {}
  SourceModule* module;
};

// The host's note: a reader and a writer of one buffer are never alive at the same time.
struct Reader : Object {
  static constexpr Interface kInterface = Interface::Reader;
  Reader(Host& host, SourceModule* source) : Object(host, kInterface, ReaderTable()), module(source) {
    if (module->liveWriters > 0) module->readerAndWriterAtOnce = true;
    ++module->liveReaders;
    lastReleased = [](Object& self) { --static_cast<Reader&>(self).module->liveReaders; };
  }
  SourceModule* module;
};

// Builds the new text as the edits come; it replaces the buffer's text at the last
// release, when the host's writer puts its edits into the buffer.
struct Writer : Object {
  static constexpr Interface kInterface = Interface::Writer;
  Writer(Host& host, SourceModule* source) : Object(host, kInterface, WriterTable()), module(source) {
    if (module->liveReaders > 0) module->readerAndWriterAtOnce = true;
    ++module->liveWriters;
    lastReleased = [](Object& self) { static_cast<Writer&>(self).Apply(); };
  }
  void Apply() {
    --module->liveWriters;
    edited.append(module->text, place, std::string::npos);
    if (edited != module->text) {
      module->text = std::move(edited);
      module->modified = true;
    }
  }
  // Positions only move forward, up to the end of the text.
  size_t Clamp(int32_t position) const {
    const size_t p = position < 0 ? 0 : static_cast<size_t>(position);
    return std::clamp(p, place, module->text.size());
  }
  SourceModule* module;
  std::string edited;
  size_t place = 0;
};

void* HOSTSIM_STDCALL GetEditorInterface(void* self) noexcept {
  ModuleObject& module = SelfOf<ModuleObject>(self, slot::kGetEditorInterface);
  return Obtain<Editor>(module.host, "GetEditBuffer", module.module);
}

void* HOSTSIM_STDCALL CreateReader(void* self) noexcept {
  Editor& editor = SelfOf<Editor>(self, slot::kCreateReader);
  return Obtain<Reader>(editor.host, "NewReader", editor.module);
}

void* HOSTSIM_STDCALL CreateWriter(void* self) noexcept {
  Editor& editor = SelfOf<Editor>(self, slot::kCreateWriter);
  return Obtain<Writer>(editor.host, "NewWriter", editor.module);
}

int32_t HOSTSIM_STDCALL GetText(void* self, int32_t position, char* buffer, int32_t count) noexcept {
  Reader& reader = SelfOf<Reader>(self, slot::kGetText);
  reader.host.Check("ReadChars");
  const std::string& text = reader.module->text;
  if (position < 0 || count <= 0 || static_cast<size_t>(position) >= text.size()) return 0;
  const size_t n = std::min(static_cast<size_t>(count), text.size() - static_cast<size_t>(position));
  std::memcpy(buffer, text.data() + position, n);
  return static_cast<int32_t>(n);
}

uint8_t HOSTSIM_STDCALL CopyTo(void* self, int32_t position) noexcept {
  Writer& writer = SelfOf<Writer>(self, slot::kCopyTo);
  if (writer.host.Check("KeepUpTo") == Fault::ReturnNull) return 0;
  const size_t to = writer.Clamp(position);
  writer.edited.append(writer.module->text, writer.place, to - writer.place);
  writer.place = to;
  return 1;
}

uint8_t HOSTSIM_STDCALL DeleteTo(void* self, int32_t position) noexcept {
  Writer& writer = SelfOf<Writer>(self, slot::kDeleteTo);
  if (writer.host.Check("SkipUpTo") == Fault::ReturnNull) return 0;
  writer.place = writer.Clamp(position);
  return 1;
}

// The text is a C string here, not a host string.
uint8_t HOSTSIM_STDCALL Insert(void* self, const char* text) noexcept {
  Writer& writer = SelfOf<Writer>(self, slot::kInsert);
  if (writer.host.Check("InsertText") == Fault::ReturnNull) return 0;
  writer.edited += text ? text : "";
  return 1;
}

const Entry* ModuleTable() {
  static const std::vector<Entry> table =
      TableOf<Interface::Module>({{slot::kGetEditorInterface, AsEntry(&GetEditorInterface)}});
  return table.data();
}

const Entry* EditorTable() {
  static const std::vector<Entry> table = TableOf<Interface::Editor>({
      {slot::kCreateReader, AsEntry(&CreateReader)},
      {slot::kCreateWriter, AsEntry(&CreateWriter)},
  });
  return table.data();
}

const Entry* ReaderTable() {
  static const std::vector<Entry> table = TableOf<Interface::Reader>({{slot::kGetText, AsEntry(&GetText)}});
  return table.data();
}

const Entry* WriterTable() {
  static const std::vector<Entry> table = TableOf<Interface::Writer>({
      {slot::kCopyTo, AsEntry(&CopyTo)},
      {slot::kDeleteTo, AsEntry(&DeleteTo)},
      {slot::kInsert, AsEntry(&Insert)},
  });
  return table.data();
}

}  // namespace

Object* NewModule(Host& host, const char* operation, SourceModule* module) {
  return Obtain<ModuleObject>(host, operation, module);
}

}  // namespace hostsim
