#pragma once

// The about screen with a close button, for showing it modally inside its
// own navigation controller.

#include "app/MHAboutViewController.h"

class MHAboutViewController2 : public MHAboutViewController {
  public:
    void viewDidLoad() override;
    void doClickBackAction();
};
