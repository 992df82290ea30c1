#pragma once

namespace vantry::app {

// The keyboard's lock states; both off where the display cannot tell (no X server).
struct LockKeys {
  bool capsLock = false;
  bool numLock = false;
};
LockKeys ReadLockKeys();

}  // namespace vantry::app
