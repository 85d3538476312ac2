#pragma once

// Every parameter of a scan-frame view's look: the frame's size and place, the
// outline, the corner marks, the dimmed area around the frame and the scan
// animation with its image.

#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"

class LBXScanViewStyle {
  public:
    // Outline the scan frame.
    bool isNeedShowRetangle = true;
    // Frame width divided by frame height.
    double whRatio = 1.0;
    // How far the frame's centre sits above the view's centre, points.
    double centerUpOffset = 44;
    // Left and right margin of the frame, points (used as a whole number).
    double xScanRetangleOffset = 60;
    graphics::Color colorRetangleLine = graphics::Color::whiteColor();
    // Corner-mark placement: 0 inside the frame edge, 2 centred on it, any
    // other value (1 by default) mostly outside it.
    int photoframeAngleStyle = 1;
    graphics::Color colorAngle = graphics::Color::rgb(0, 167.0 / 255.0, 231.0 / 255.0, 1);
    // Horizontal and vertical length of a corner mark (whole numbers used).
    double photoframeAngleW = 24;
    double photoframeAngleH = 24;
    // Corner-mark line width.
    double photoframeLineW = 7;
    // 0 moving line, 1 sliding net, 2 still line, any other value none.
    int anmiationStyle = 0;
    // The image of the line, net or still line.
    graphics::Image::Ptr animationImage;
    // Colour of the dimmed area outside the frame.
    double red_notRecoginitonArea = 0;
    double green_notRecoginitonArea = 0;
    double blue_notRecoginitonArea = 0;
    double alpa_notRecoginitonArea = 0.5;
};
