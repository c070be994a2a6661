#pragma once
// The screen's resolution. There is no display to ask, so every screen context reports
// the platform's standard 96 dots per inch.

namespace linnet {

constexpr int ScreenDpi() {
  return 96;
}

}  // namespace linnet
