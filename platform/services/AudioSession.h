#pragma once

// The audio session: where sound goes now, as the port types of the current
// route's outputs, and the older route query that answers one route name.
// Both are set by the device profile (a built-in speaker unless set); the
// older query can fail.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace services {

inline constexpr const char* AudioSessionPortBuiltInSpeaker = "Speaker";
inline constexpr const char* AudioSessionPortBuiltInReceiver = "Receiver";
inline constexpr const char* AudioSessionPortHeadphones = "Headphones";
inline constexpr const char* AudioSessionPortBluetoothA2DP = "BluetoothA2DPOutput";

class AudioSession {
  public:
    static AudioSession& sharedInstance();

    // The current route's outputs; nullopt when the session cannot say.
    std::optional<std::vector<std::string>> currentRouteOutputs() const;
    void setCurrentRouteOutputs(std::optional<std::vector<std::string>> outputs);
    // The older query's route name ("Speaker", "Headphone", "Headset", "" for
    // none); nullopt when the query fails.
    std::optional<std::string> audioRoute() const;
    void setAudioRoute(std::optional<std::string> route);
    // Back to the phone's built-in speaker.
    void reset();

  private:
    mutable std::mutex mutex_;
    std::optional<std::vector<std::string>> outputs_{{AudioSessionPortBuiltInSpeaker}};
    std::optional<std::string> route_{"Speaker"};
};

}  // namespace services
