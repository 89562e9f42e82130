// Lazily initialised COM apartment, released at process exit.
#include "platform/com_win32.h"

#include <objbase.h>

namespace tovrik {
namespace {

class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

void ensureComInitialized() { static ComApartment apartment; }

}  // namespace tovrik
