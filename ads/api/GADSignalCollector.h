#pragma once

// The ad vendor's signal module: given the SDK version, it may write one
// "key=value" text that requests and click URLs carry. This build has no
// such module, so it reports failure and nothing is added.

#include <string>

class GADSignalCollector {
  public:
    // Called on the main thread. Answers whether `signal` was filled.
    static bool collectSignal(const std::string& sdkVersion, std::string& signal);
};
