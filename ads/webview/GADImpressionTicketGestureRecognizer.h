#pragma once

// The hidden zig-zag that opens an ad's debug dialog: one finger right, left,
// right and left again, each of the first three strokes at least 15 points
// long, never more than 5 points up or down between two samples.

#include "platform/ui/GestureRecognizer.h"

enum GADImpressionTicketGestureState {
    GADImpressionTicketGestureStateNone = 0,
    GADImpressionTicketGestureStateFirstStrokeRight = 1,
    GADImpressionTicketGestureStateSecondStrokeLeft = 2,
    GADImpressionTicketGestureStateThirdStrokeRight = 3,
    GADImpressionTicketGestureStateFourthStrokeLeft = 4,
};

class GADImpressionTicketGestureRecognizer : public ui::GestureRecognizer {
  public:
    static constexpr double kMinimumStroke = 15;
    static constexpr double kMaximumVerticalMove = 5;

    using ui::GestureRecognizer::GestureRecognizer;

    int gestureState() const { return gestureState_; }
    double distanceMoved() const { return distanceMoved_; }

    void touchesBegan(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                      const ui::Event& event) override;
    void touchesCancelled(const std::vector<std::shared_ptr<ui::Touch>>& touches,
                          const ui::Event& event) override;
    void reset() override;

  private:
    // Ends the current stroke: long enough, it starts the next one.
    void turn(double dx);

    int gestureState_ = GADImpressionTicketGestureStateNone;
    double distanceMoved_ = 0;
};
