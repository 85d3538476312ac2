#pragma once

// The device: model, system name and version, interface idiom and physical
// orientation. Orientation changes are posted as notifications while someone
// asked for them (begin/end calls nest as a counter). Tests and the host set
// the facts and turn the device.

#include <string>

#include "platform/ui/InterfaceOrientation.h"

namespace ui {

enum class UserInterfaceIdiom { unspecified = -1, phone = 0, pad = 1 };

inline constexpr const char* DeviceOrientationDidChangeNotification =
    "UIDeviceOrientationDidChangeNotification";

class Device {
  public:
    static Device& currentDevice();

    const std::string& model() const { return model_; }
    void setModel(std::string model) { model_ = std::move(model); }
    const std::string& systemName() const { return systemName_; }
    void setSystemName(std::string name) { systemName_ = std::move(name); }
    const std::string& systemVersion() const { return systemVersion_; }
    void setSystemVersion(std::string version) { systemVersion_ = std::move(version); }
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    UserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UserInterfaceIdiom idiom) { idiom_ = idiom; }

    DeviceOrientation orientation() const { return orientation_; }
    // Turns the device; posts the change notification when it differs and
    // notifications are being generated.
    void setOrientation(DeviceOrientation orientation);
    void beginGeneratingDeviceOrientationNotifications() { ++generating_; }
    void endGeneratingDeviceOrientationNotifications();
    bool isGeneratingDeviceOrientationNotifications() const { return generating_ > 0; }

    // Back to the default phone, portrait, without observers of orientation.
    void reset();

  private:
    std::string model_ = "Phone";
    std::string systemName_ = "PhoneOS";
    std::string systemVersion_ = "9.3";
    std::string name_ = "Headless";
    UserInterfaceIdiom idiom_ = UserInterfaceIdiom::phone;
    DeviceOrientation orientation_ = DeviceOrientation::portrait;
    int generating_ = 0;
};

}  // namespace ui
