#include "hostsim/host.h"

#include <algorithm>
#include <cctype>

#include "hostsim/addin_catch.h"
#include "hostsim/objects.h"

namespace hostsim {
namespace {

std::string FoldCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

MenuNode* FindIn(MenuNode& node, const std::string& name) {
  if (node.name == name) return &node;
  for (auto& child : node.children) {
    if (MenuNode* found = FindIn(*child, name)) return found;
  }
  return nullptr;
}

}  // namespace

int32_t MenuNode::Position() const {
  if (!parent) return 0;
  const auto& siblings = parent->children;
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == this) return static_cast<int32_t>(i);
  }
  return -1;
}

Host::Host() {
  EnterHost(*this);
  services_ = reinterpret_cast<TIHostServices*>(NewServices(*this));
}

Host::~Host() { LeaveHost(*this); }

int32_t Host::servicesRefs() const { return ledger.records().front().refs; }

MenuNode& Host::AddMenuItem(const std::string& parent, const std::string& name, const std::string& caption) {
  MenuNode* owner = parent.empty() ? &root_ : FindMenu(parent);
  if (!owner) owner = &root_;
  auto node = std::make_unique<MenuNode>();
  node->name = name;
  node->caption = caption;
  node->parent = owner;
  owner->children.push_back(std::move(node));
  return *owner->children.back();
}

MenuNode* Host::FindMenu(const std::string& name) {
  if (name.empty()) return nullptr;
  return FindIn(root_, name);
}

SourceModule& Host::OpenModule(const std::string& fileName, const std::string& text) {
  SourceModule& module = modules_[FoldCase(fileName)];
  module.text = text;
  module.modified = false;
  return module;
}

SourceModule* Host::FindModule(const std::string& fileName) {
  auto it = modules_.find(FoldCase(fileName));
  return it == modules_.end() ? nullptr : &it->second;
}

void Host::SetFault(const std::string& operation, Fault fault, int succeedingCalls) {
  faults_[operation] = FaultRule{fault, calls(operation) + succeedingCalls};
}

Fault Host::Check(std::string_view operation) {
  auto counted = calls_.find(operation);
  if (counted == calls_.end()) counted = calls_.emplace(std::string(operation), 0).first;
  const int n = ++counted->second;
  auto it = faults_.find(operation);
  if (it == faults_.end() || n <= it->second.succeedingCalls) return Fault::None;
  switch (it->second.fault) {
    case Fault::Raise: {
      // Made in a statement of its own: no temporary may be alive at the raise.
      const LanguageException& exception = NewException("host failure in " + std::string(operation));
      RaiseLanguageException(exception);
    }
    case Fault::AccessViolation:
      RaiseAccessViolation();
    default:
      return it->second.fault;
  }
}

int Host::calls(std::string_view operation) const {
  auto it = calls_.find(operation);
  return it == calls_.end() ? 0 : it->second;
}

const LanguageException& Host::NewException(std::string message) {
  raised_.push_back(std::make_unique<LanguageException>(message));
  return *raised_.back();
}

void Host::Raise(std::string_view message) {
  const LanguageException& exception = NewException(std::string(message));
  RaiseLanguageException(exception);
}

bool Host::CallAddIn(const std::function<void()>& call) {
  std::string message;
  if (RunCatching(call, message)) return true;
  reportedErrors.push_back(message);
  if (onReportError) onReportError(message);
  return false;
}

std::string Host::Problems() const {
  std::string problems = ledger.Problems() + strings.Problems();
  if (servicesRefs() < 1) problems += "the services object released by the add-in; ";
  for (const std::string& misuse : misuses) problems += misuse + "; ";
  for (const auto& [name, module] : modules_) {
    if (module.readerAndWriterAtOnce) problems += "a reader and a writer of " + name + " alive at once; ";
  }
  return problems;
}

}  // namespace hostsim
