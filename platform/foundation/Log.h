#pragma once

// Logging with a prefix per component: "[component] message" lines on stderr,
// or to a sink that tests install to capture them.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace foundation {

class Log {
  public:
    using Sink = std::function<void(std::string_view component, std::string_view message)>;

    // Writes one line; thread-safe.
    static void write(std::string_view component, std::string_view message);
    // Replaces the sink (an empty function restores stderr); answers the previous one.
    static Sink setSink(Sink sink);
};

// Collects every line written while it lives (for tests), as "[component] message".
class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string text() const;
    bool contains(std::string_view fragment) const {
        return text().find(fragment) != std::string::npos;
    }

  private:
    struct State;
    std::shared_ptr<State> state_;
    Log::Sink previous_;
};

}  // namespace foundation
