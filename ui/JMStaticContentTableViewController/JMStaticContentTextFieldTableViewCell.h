#pragma once

// A static-content row that carries a text field of its own.

#include "platform/ui/TextField.h"
#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewCell.h"

class JMStaticContentTextFieldTableViewCell : public JMStaticContentTableViewCell {
  public:
    ui::TextField::Ptr contentTextField;
};
