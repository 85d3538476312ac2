#pragma once

// Orientations of the interface and of the device, and orientation masks,
// numbered as the platform numbers them.

namespace ui {

enum class InterfaceOrientation {
    unknown = 0,
    portrait = 1,
    portraitUpsideDown = 2,
    landscapeRight = 3,
    landscapeLeft = 4,
};

enum class DeviceOrientation {
    unknown = 0,
    portrait = 1,
    portraitUpsideDown = 2,
    landscapeLeft = 3,
    landscapeRight = 4,
    faceUp = 5,
    faceDown = 6,
};

struct InterfaceOrientationMask {
    static constexpr int portrait = 1 << 1;
    static constexpr int portraitUpsideDown = 1 << 2;
    static constexpr int landscapeRight = 1 << 3;
    static constexpr int landscapeLeft = 1 << 4;
    static constexpr int landscape = landscapeLeft | landscapeRight;
    static constexpr int all = portrait | portraitUpsideDown | landscape;
    static constexpr int allButUpsideDown = portrait | landscape;

    static int of(InterfaceOrientation o) { return 1 << static_cast<int>(o); }
};

inline bool isLandscape(InterfaceOrientation o) {
    return o == InterfaceOrientation::landscapeLeft || o == InterfaceOrientation::landscapeRight;
}

}  // namespace ui
