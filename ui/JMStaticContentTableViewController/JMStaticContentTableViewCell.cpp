#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewCell.h"

#include <sstream>

std::string JMStaticContentTableViewCell::description() const {
    std::ostringstream text;
    text << "<JMStaticContentTableViewCell reuseIdentifier: " << reuseIdentifier
         << ", cellHeight: " << cellHeight << ">";
    return text.str();
}
