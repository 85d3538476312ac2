#pragma once

// The clipboard category of labels: once loaded, every label of the process
// may become the first responder (so that an edit menu can be shown for it).

namespace UILabelClipboard {

void load();

}  // namespace UILabelClipboard
