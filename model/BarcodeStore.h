#pragma once

// Opening the history store as the application does at launch: the model of
// Barcode, Action and Classification on the file "bc.dat" in Documents, and
// the default rows until a save has stored them.

#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/store/Context.h"

class BarcodeStore {
  public:
    // Documents/"bc.dat".
    static std::string storePath();

    // Builds the model, opens the store at `path` and makes a context without
    // undo. When the store holds no defaults yet (a new or empty file, or one
    // whose first launch ended before its defaults were saved): the default
    // Classifications, then the default Actions, and a save 0.1 s later on
    // the main run loop.
    // nullptr with `error` when the store cannot be opened (a damaged or
    // foreign file is left as it is). `saveFailed` hears why that save of
    // the defaults failed, when it does.
    static std::shared_ptr<store::Context> openContext(
        const std::string& path, foundation::Error* error,
        std::function<void(const foundation::Error&)> saveFailed = {});
};
