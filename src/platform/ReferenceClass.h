#pragma once

// Intrusive reference count for data the design shares (fonts, glyph data, model
// atlases). The count starts at 1; Release frees at 0, or at once when forced.
class TReferenceClass {
 public:
  TReferenceClass() = default;
  TReferenceClass(const TReferenceClass&) = delete;
  TReferenceClass& operator=(const TReferenceClass&) = delete;
  virtual ~TReferenceClass() = default;

  void AddRef() { ++count_; }
  // Returns true when the object was freed; the caller must not touch it then.
  bool Release(bool force = false) {
    if (force || --count_ <= 0) {
      delete this;
      return true;
    }
    return false;
  }
  int RefCount() const { return count_; }

 private:
  int count_ = 1;
};
