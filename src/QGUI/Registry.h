#pragma once
#include <cstdint>
#include <functional>
#include <queue>
#include <vector>

class TQGUI_Context;
class TQGUI_Desktop;
class TQGUI_Element;

// Maps the integer ids scripts use to elements, handing out the lowest free id first.
// It only refers to elements: the tree owns them.
class TQGUI_Registry {
 public:
  explicit TQGUI_Registry(TQGUI_Context& context) : context_(context) {}
  TQGUI_Registry(const TQGUI_Registry&) = delete;
  TQGUI_Registry& operator=(const TQGUI_Registry&) = delete;

  // -1 is the desktop; an id out of range or of an empty slot finds nothing.
  TQGUI_Element* Find(int32_t id) const;
  int32_t Register(TQGUI_Element& element);
  // Empties the slot only while it still holds `element`: a reused id is left alone.
  void Unregister(int32_t id, const TQGUI_Element& element);
  void RegisterDesktop(TQGUI_Desktop& desktop);
  void Clear();

  // Makes an element of a type number under the element `parentId` finds (a top-level
  // element of the desktop for -1) and registers it. Null, with a report, for a type
  // without a class or a tree grown too deep.
  TQGUI_Element* CreateElement(int32_t type, int32_t parentId);

  size_t Size() const { return slots_.size(); }

  // Deeper trees are refused: drawing and routing recurse once per level.
  static constexpr int kMaxDepth = 256;

 private:
  TQGUI_Context& context_;
  std::vector<TQGUI_Element*> slots_;
  std::priority_queue<int32_t, std::vector<int32_t>, std::greater<>> free_;
  TQGUI_Element* desktop_ = nullptr;
};
