#include "ads/webview/GADUIWebViewGestureDelegate.h"

#include "ads/webview/GADImpressionTicketGestureRecognizer.h"

bool GADUIWebViewGestureDelegate::shouldRecognizeSimultaneouslyWith(ui::GestureRecognizer&,
                                                                    ui::GestureRecognizer& other) {
    return dynamic_cast<GADImpressionTicketGestureRecognizer*>(&other) == nullptr;
}
