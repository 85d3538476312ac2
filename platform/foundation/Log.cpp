#include "platform/foundation/Log.h"

#include <cstdio>
#include <mutex>

namespace foundation {
namespace {

std::mutex& sinkMutex() {
    static auto* const mutex = new std::mutex();
    return *mutex;
}

Log::Sink& currentSink() {
    static auto* const sink = new Log::Sink();
    return *sink;
}

}  // namespace

void Log::write(std::string_view component, std::string_view message) {
    std::lock_guard lock(sinkMutex());
    if (currentSink()) {
        currentSink()(component, message);
        return;
    }
    std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(component.size()), component.data(),
                 static_cast<int>(message.size()), message.data());
}

Log::Sink Log::setSink(Sink sink) {
    std::lock_guard lock(sinkMutex());
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

struct LogCapture::State {
    std::mutex mutex;
    std::string text;
};

LogCapture::LogCapture() : state_(std::make_shared<State>()) {
    previous_ =
        Log::setSink([state = state_](std::string_view component, std::string_view message) {
            std::lock_guard lock(state->mutex);
            state->text.append("[").append(component).append("] ").append(message).append("\n");
        });
}

LogCapture::~LogCapture() {
    Log::setSink(std::move(previous_));
}

std::string LogCapture::text() const {
    std::lock_guard lock(state_->mutex);
    return state_->text;
}

}  // namespace foundation
