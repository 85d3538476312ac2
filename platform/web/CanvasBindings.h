#pragma once

// The canvases of one web view: each frame's scripts reach them through the
// native hook the canvas prelude calls, and the painter reads their pixels
// by the id a canvas element carries. A canvas lives as long as the
// document that made it. The view's canvases share a budget of pixels; a
// canvas past it gets no context.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/graphics/Image.h"

namespace web {

class CanvasRenderingContext2D;
class ScriptEngine;

class CanvasBindings {
  public:
    // The picture a page loaded from an absolute URL, or nullptr.
    using LoadedImages = std::function<graphics::Image::Ptr(const std::string& url)>;
    // Pixels all canvases of a view may hold together.
    static constexpr long long kPixelBudget = 32LL * 1024 * 1024;

    explicit CanvasBindings(LoadedImages images);
    ~CanvasBindings();
    CanvasBindings(const CanvasBindings&) = delete;
    CanvasBindings& operator=(const CanvasBindings&) = delete;

    // Gives the frame's new script context its canvases (after the DOM
    // prelude ran in it); those of its previous document go away.
    void install(ScriptEngine& engine, int frameId);
    // The canvases of a frame that went away go with it.
    void removeFrame(int frameId);
    // What the canvas with that id shows; nullptr for an unknown or empty one.
    graphics::Image::Ptr image(int canvasId) const;

  private:
    struct Canvas {
        int frameId = 0;
        std::unique_ptr<CanvasRenderingContext2D> context;
    };

    foundation::Value call(int frameId, const std::vector<foundation::Value>& arguments);
    // A canvas of `width` x `height` if the budget allows, else 0.
    int create(int frameId, double width, double height);
    bool resize(Canvas& canvas, double width, double height);
    long long pixelsInUse() const;
    foundation::Value drawImage(CanvasRenderingContext2D& context,
                                const std::vector<foundation::Value>& arguments);

    LoadedImages images_;
    std::map<int, Canvas> canvases_;
    int nextId_ = 1;
};

}  // namespace web
