#pragma once

// Something a caller can cancel: an image download or a whole image load.

class SDWebImageOperation {
  public:
    virtual ~SDWebImageOperation() = default;
    virtual void cancel() = 0;
};
