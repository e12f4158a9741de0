#include "QGUI/Registry.h"

#include <string>

#include "QGUI/Desktop.h"
#include "QGUI/ElementTypes.h"
#include "script/LuaApi.h"

TQGUI_Element* TQGUI_Registry::Find(int32_t id) const {
  if (id == -1) return desktop_;
  if (id < 0 || size_t(id) >= slots_.size()) return nullptr;
  return slots_[size_t(id)];
}

int32_t TQGUI_Registry::Register(TQGUI_Element& element) {
  while (!free_.empty()) {
    int32_t id = free_.top();
    free_.pop();
    if (size_t(id) < slots_.size() && !slots_[size_t(id)]) {
      slots_[size_t(id)] = &element;
      return id;
    }
  }
  slots_.push_back(&element);
  return int32_t(slots_.size() - 1);
}

void TQGUI_Registry::Unregister(int32_t id, const TQGUI_Element& element) {
  if (id < 0 || size_t(id) >= slots_.size() || slots_[size_t(id)] != &element) return;
  slots_[size_t(id)] = nullptr;
  free_.push(id);
}

void TQGUI_Registry::RegisterDesktop(TQGUI_Desktop& desktop) {
  desktop_ = &desktop;
  slots_.push_back(&desktop);
}

void TQGUI_Registry::Clear() {
  slots_.clear();
  free_ = {};
  desktop_ = nullptr;
}

TQGUI_Element* TQGUI_Registry::CreateElement(int32_t type, int32_t parentId) {
  const TQGUI_ElementType* entry = FindElementType(type);
  if (!entry) {
    ReportError("QGUI_Create", "<" + std::to_string(type) + "> is not a valid TYPE");
    return nullptr;
  }
  if (!entry->create) {
    ReportError("QGUI_Create", std::string(entry->name) + " cannot be created yet");
    return nullptr;
  }
  TQGUI_Element* parent = Find(parentId);
  if (parent && parent->Depth() >= kMaxDepth) {
    ReportError("QGUI_Create", "Element tree deeper than " + std::to_string(kMaxDepth) + " levels");
    return nullptr;
  }
  TQGUI_Element& element = entry->create(context_, parent, parentId == -1);
  element.id = Register(element);
  element.Registered();
  return &element;
}
