#include "scanning/zbar/ZBarCameraSimulator.h"

std::shared_ptr<ZBarCameraSimulator> ZBarCameraSimulator::make(
    const std::shared_ptr<ui::ViewController>&) {
    return nullptr;
}
