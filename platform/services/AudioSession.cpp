#include "platform/services/AudioSession.h"

#include "platform/foundation/ProcessState.h"

namespace services {

AudioSession& AudioSession::sharedInstance() {
    static AudioSession* session = foundation::ProcessState::withReset(new AudioSession());
    return *session;
}

std::optional<std::vector<std::string>> AudioSession::currentRouteOutputs() const {
    std::lock_guard lock(mutex_);
    return outputs_;
}

void AudioSession::setCurrentRouteOutputs(std::optional<std::vector<std::string>> outputs) {
    std::lock_guard lock(mutex_);
    outputs_ = std::move(outputs);
}

std::optional<std::string> AudioSession::audioRoute() const {
    std::lock_guard lock(mutex_);
    return route_;
}

void AudioSession::setAudioRoute(std::optional<std::string> route) {
    std::lock_guard lock(mutex_);
    route_ = std::move(route);
}

void AudioSession::reset() {
    std::lock_guard lock(mutex_);
    outputs_ = std::vector<std::string>{AudioSessionPortBuiltInSpeaker};
    route_ = "Speaker";
}

}  // namespace services
