#include "ads/presentation/GADIntrinsicImages.h"

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GAD_GTMStringEncoding.h"
#include "platform/foundation/ProcessState.h"
#include "platform/graphics/BitmapContext.h"

namespace {

// PNG drawings (8-bit RGBA): white arrows and a dark round close button.
constexpr const char* kBackButton =
    "iVBORw0KGgoAAAANSUhEUgAAABsAAAAbCAYAAACN1PRVAAAAj0lEQVRIie3UsQkCMRiG4SssrLRxAbdwgJvDWSyd"
    "Q7jaKdzC0g2uVR4bi+NHVDB/QMm7wENI8nVdq5UdFjjUgDY4QyYyww5Xj7KgNU5CGdAWY4SKYljh+AwpiqHH5RX0"
    "NYY59ri9g0pgwyfI751sgubfWQDrvMaA5v+zANZZkAlYZxsDmr/6AVxiqIK1/rc76zHL5LG5CiAAAAAASUVORK5C"
    "YII=";

constexpr const char* kBackButtonDoubleDensity =
    "iVBORw0KGgoAAAANSUhEUgAAADYAAAA2CAYAAACMRWrdAAABHklEQVRoge3ZoUoEURSA4XUxaNEi2ASr2eAD+AAW"
    "q9HqKxitvoJgtvgAFrN5wWgTLGIQlM/iwmUR3XWu3Jnj+Z7g/DDM3Dl3NEoppZRS+rewhovWc1SFPdxD61mqwDJO"
    "8eZT65k6wzZuzWg9Vyc4wvNs1GDDsIGrr4IGG4Z9PHwXNagwrOAM7z9FDSYMO7ibJ2gQYVjCMV4Wiep1GDZxvWhQ"
    "r8NwgMffRvUuDKs47xLUuzDsYlIjqhdhGOMEr7WimodhCzc1g5qH4RBPfxFVI2xcIzIcER/FIi7ey6Mk2uu+JOIH"
    "uiTakaok4iF4SsTflpJoP5olEVcDJdGWOSUR128l0RamJRFX3FMiXkqURLtGKmEdl63nSCmllFKa3wdizGvQiGQs"
    "2AAAAABJRU5ErkJggg==";

constexpr const char* kForwardButton =
    "iVBORw0KGgoAAAANSUhEUgAAABsAAAAbCAYAAACN1PRVAAAAdklEQVRIie3UsQ2DMABEUSoKmgiJGVgjA2SYzELJ"
    "ADQ0DMIU6TJBuuSl8gSIK5D/Ak+W7WuaWu1IWNGnMHjhnsLgiwltAivtGFMYfPBMYaUNQwqDNx4pDH6Y0SWw0nKp"
    "k8XuLPIaY/8ssiCxbYyt/oLb6VCt9gdSXMyrNUsxdwAAAABJRU5ErkJggg==";

constexpr const char* kForwardButtonDoubleDensity =
    "iVBORw0KGgoAAAANSUhEUgAAADYAAAA2CAYAAACMRWrdAAABHElEQVRoge3ZPS4FYRQG4BsShUhEolNK1GqNBWis"
    "wBaUWltQaiUajQVYgEKtvYlOotJQCI9Choh7mTszcjg5zwreNzP5fs43GpVSSiml/Bs4w0p0jsF5c4Pt6CyD8uEZ"
    "R1iIzjQIX11hIzpXbxOKwQP2o7P1MqVY4xyr0Rk7+aEY3GInOufMWhSDFxxjMTpvay2LNa6xGZ25lRmLwSMOMBed"
    "/VsdijUusBadf6oexeAOu9EdJupZrHGCpegunwxUDMbYiu7zbsBi8IRDzEf3GrpY4xLrGYvBPfa65vrbe0mkX/pa"
    "6X7FlItHyuU+3Qad8kiV7hCc8tqS7qKZcjSQcpiTbvyWcmCabsSd8lEi5TPSKZajc5RSSimlxHkFvtRtd2BNmKsA"
    "AAAASUVORK5CYII=";

constexpr const char* kCloseButton =
    "iVBORw0KGgoAAAANSUhEUgAAABkAAAAZCAYAAADE6YVjAAAEb0lEQVRIib1WT0wiZxR/jgiMdIuSDQgEGRP8k2ZP"
    "NdHURIOWGL2QaOKpPTRNEw676UbvmIlRb70QIfFiwW4Tw7nGGP+ybDbRFIXU3aUODAiOmFhQjIojyuthGYIsWu1h"
    "X/IO33zv/X7v+96b9z6AzyAV923SNC2iKOpHnU73HUVRz+RyuUwul4vT6fRVOp0+j0ajOxzHvWJZ9leapq8fzT47"
    "OzvMsuwxPkDC4XDK5XK9fDC42+0We73e1wIAx3H81NRUwmQyBfV6fUAsFvv0en2gt7c3aLfbEwcHB7xgu7y8/Jam"
    "aem9BDabTeL3+1lERJ7nb2iajpMk6QOAP+9SkiR9Y2NjcZ7nbxARt7e3wzabTXInydra2ltExGQyeWU0Gj/cB16q"
    "PT09H5LJZBYRcXV11XtnDoQTPJagmIjn+RwiosvleiFgVwJ8rCKz2fxHTU0NOT4+zjmdzmMAAKVSKRoZGXnKMAx/"
    "dnaWKw1MrVaLhoeHnwaDQf78/DwXiUSyUqkUu7q6vnzy5Mk3CoXil/X19Y9+MzMzFiHJxTkYHR2NISIyDHOh1Wr9"
    "xVFrtVo/wzAXiIijo6Mx4Xt1dfVWIpHgERFnZmZ+KkS0srLyGhHRZrMdFAOpVKoCUDFRMQHDMBcqlepWAHa7PYGI"
    "uLS0tF4gYRgmiYjY29sbLL1njUbj393dvUBEZFk2097e/q54rdPpAqU+fX19wXwA/xRIUqkUj4hYzqE08pubG7zr"
    "CgWlKCqAiHh0dHQJkG8rV1dXuaqqqgqpVLrF8zyWq77W1lZyc3PzK4IgIJfLQVtb23ufz5cpZyuRSCouLy+/zmaz"
    "KBaLCQIA4PT09AoAoK6uTlTOSavViubm5hoEAoIgYG5urkGr1Za112g0IgCAdDrNAwAQAAAnJydnAADNzc2f/Kka"
    "jUa0trbWZDAYyEgkctnR0fGeYZiMwWAgvV5vs16vryr1aWlpkQAAHB8fnxdIotHoOwAAs9ksLzZWqVQij8fT1NjY"
    "SIZCoUxnZ+ffGxsbme7u7t1QKJRpaGiQLi8vN6pUqlsnEnBisVigQBKPx18BAAwODiqqq6sJwdhisSgMBgMZCoUy"
    "RqNxl+O4awAAjuOujUbjbigUyhgMBtJisSgEH5lMRgwMDCjyuL8XmN1udyXLsilExLGxsTjkq0SpVPqtVmtMrVaX"
    "rSK1Wu23Wq0xpVJZ2J+cnNzPV19yaGio8tY9ulyul0Lv6unp+V+9y2QyBYXe5XQ6n5fmCgAAVldX3+S7cPaxRCaT"
    "KZhKpbL5ueIpxiWKFzs7O9/6/X5WoVCIFhYWmsfHx+uKc1ROZDIZMTExUTc/P99UW1sr2traCofDYdN9PuB2u8Ue"
    "j2ddmHaJRIJ3OByJvr6+IEVRAYlE4qMoKtDf3x90OByJw8PDwmRcXFx8Q9O0+F6CYnG5XC/C4XDyITOeYZjU9PT0"
    "z3dh/edrpb6+/gedTvc9RVHPampqvhBeKycnJ2fRaPSv/f393/b29pw0TX8ybz6r/AtczTll7YFJ+gAAAABJRU5E"
    "rkJggg==";

constexpr const char* kCloseButtonDoubleDensity =
    "iVBORw0KGgoAAAANSUhEUgAAADIAAAAyCAYAAAAeP4ixAAAI/ElEQVRoge1abUwTWxo+7YhCxX5gW2D3Rmg1Afy4"
    "gdTslS6tBrOJ/iCSuOl2NTYEayRGIOZmk/trl+xuVO5mJRkBW1oFoSIaiVRj4l0+AjaCm6h8BLQJdqBmbTv9pEJp"
    "r+20+2N3mul0WlqpN/fHfZJJeg7PmfM+855z3vecAwC/4OcFWqZe1N7eXsThcM7w+fyjXC63mMfj7WQymTnZ2dkQ"
    "AAAEAgHM6/X6nU6ny+VyITabbczlcvU1Nze/z0T/mxICwzCzoKDgL6WlpbJ9+/Z9RafT02ofDocj8/Pz/zEajfdQ"
    "FP1bU1PTx83YkzY6Ozs5jx8/vut2uwORDMHpdAb0en1/W1sb+ycRodPpvrPZbL5MCSDDYrH4+vr6/pSuXSkPLbVa"
    "zTpw4MAPlZWV3yTiGI3GdYPBsDo1NeV78+ZNAEGQT16vNwwAACwWiy4UCrfu3bs3WywWb5dIJMySkpKcRO8aGxt7"
    "bTAYjra0tKykJykJ2tvb9yEI4qb6gmtrayGVSmUrLy+fBwC8TOepqKiYV6vVNp/PF6J6t8lkcnV0dJRlRERXV5fY"
    "arXGDaVgMBhWq9U2Ho83na4A8sPn82e0Wq0tFAqFyf1YrdY1lUpVuSkRGo2mjEoEgiD+Q4cOLWxWAPkRi8VvlpaW"
    "/FTzZiPPJJwjbW1t7BMnTiACgYBDrB8dHV05efLkEj72Mw02mw0NDg4KqqurWcR6BEHcT548ESRaohMu/AcPHhwm"
    "ixgaGnIdP34c+VIiAABgZWUFO3bsmGloaMhNrBcKhXnl5eX/StSOUohOp/uuqqrqILFudHR0RSaTmYPBYCQzJidG"
    "MBiMyGSy5bGxMS+xXiKRfKPT6b6lahM3tNra2thyufxDQUEBA68zm80/lpeXv11ZWcEyb3ZisFgs+uvXr8uEQmE2"
    "Xme1Wn0PHjz4FXmIxXlk9+7dKqKIUCgUkcvlpp9aBAAAeL3e8JkzZ5YwDIuOgsLCwu1FRUWdZG6MEBiGmVVVVbXE"
    "ulu3btlfvHjhp+pILpez7Hb713a7/eu6ujoOFScZFAoFG28vl8tZVJzJycn127dvO4h1YrH491evXqXkAwAAuH//"
    "/j/JwY7L5SaMEyiKfsK5oVAorFQqTYm45EepVJqIcQNF0U+JuPn5+TM+nw8j2jYwMPA90fYYj5SWlsqI5Tt37jid"
    "TmdKQwqCIJpKpRIolcoNPaNUKjkqlUoAQVBKKRKKoqH+/v4Yr5SVlf2Bktze3l6EYVhMZN0o7airqzORo/FGniF7"
    "Am+jUCjeJetLJBLNE9tgGBaGYfgr3P6oR1gsloJOp0e/kNFoXJ+ZmQkk+1I9PT2ec+fOxUxGCIJoarVacOHChTwy"
    "v76+Ps4T4XA40tjYuNzb25s0OXz16lVgcXExOlfpdDotLy/vTJyQgoKCamJDg8GwmuzFOLq7u+PE0Ol02vXr14uJ"
    "Yurr6zldXV1xIi5evLh848YNN/m9VHj27FnMkpufn38U/70F/8HlcouJpKmpKV8qL8fFAACARqOJGoqLAQCAQCAQ"
    "2awI3KazZ89Gy1wuVxAnhM/nc4mNFhYWkg4rKjEQBAHi0KHT6TQYhosB+N+Qw7kYhkUaGhqWtFqtJ50+yDbxeDxe"
    "nJDc3NxtRNLy8nIwnU4AAECr1XowDIvxDHllwudEuiIAAMBsNsfYlJubG434USE5OTlbiCSv1/tZkZzKMzg+1xM4"
    "yNkFg8GA8N/pHXukiHCYOjmm0Whg69atGTuCIiIqxO/3h4h/YLPZUDx9Y1CtTtHOKFazdEC2aX19PeqhqJDV1dUf"
    "iaSioqKsdDtSKpVxIjAMi5CXZhiGi1PJAMgg27S6uhqd/FEhdrvdSSTt378/G6SBZMEunaCZDGSb7HZ7NG2JCnG5"
    "XMtEUmVl5fZ0RCSLE6kGzY1QWVmZSyy73e6lOCF2u32USJJIJMxMiMDrMiFGKpXuIJZRFB2JE+J0OnvD4XC0k5KS"
    "kpyKioqkw6uuro5yTpw/f36JKmJ3d3d7Ghoa4sTAMFysUCiSHpWKRKKcPXv2RA/0MAyLeDyeXkry3Nzce2KG2dXV"
    "ZQNJMlLifiSdPQlVBpxsPwIAeKnRaGxE/szMzDLR9pg48vbt2/vE8unTp7l8Pj8mUCZCOsFOq9XGeSYZCgsLt5w6"
    "dYpHrDMajfeI5RghKIr+1eVyRZdhBoMBXb58uSBRB83NzWaHwxF0OBxBpVKZVsTWarWe+vp6BG/f3NxsTsS9cuVK"
    "IYPBIE6DgNls/juRExe0Hj161F9TU/NHvIxhWEQqlRonJyfXUzUyk5BIJIzx8fFS4l5Jr9f31dbWKoi8uBTFZDJd"
    "sFqtUaMhCKLdvXtXyOFwPivSbwYsFove29srIIqwWCy+9+/fXyRz44RcunRpZXR0tIVYt2vXrm2Dg4OCrKysL5In"
    "USErK4um1+uFxcXFMSvnyMjIn6mOTRMaNjEx8W+pVPobYt3Q0JBbJpMtf+nTxqysLNrg4GBxTU1NTHyZmJiYOnLk"
    "iJiqTcLsd3Z29ncIgsTEgtra2rynT5/u/tyEMhVwOBxoeHh4N1nEu3fvXHNzc8cStUsopKmp6eP4+LjYarXGbHmr"
    "q6tZ09PTpWKxmJGo7edCIpEwpqenyw4fPhxz+Ga1Wn3Dw8O/3dRlqUqlqrRarWvkO4tQKBS+efMmyufzZ8Am70UK"
    "Cwtnuru7UfJxVCQSiVgsls1f9ODo6OgoM5lMLnInkUgk4vP5MI1GYxOJRGlfvYlEogWtVmsjnyLiWFxcdHZ2dpak"
    "YmPKqxAMw8yKioofqqqqDiXiLC4u+g0Gw+rk5OTawsJCAEGQIL5lZrPZ0P8vQ7eJxeJcqVS6g5g7kTEyMvLy+fPn"
    "R1taWr7M3btOp/vWYrHEDbVM4cOHD2s9PT2XvojxZMAwzNTr9X0OhyNj/zDgcDj8Dx8+7IVhOKXtQ0bR2tq64969"
    "e/+YnZ01U03UjYBhWHh6enp5YGDg+9bW1h0b95gYGYvU165d+zWfz1fk5+cf3blzp5DH43GZTGY2fszk9/tDHz9+"
    "DNjtdofb7V5CUXTE4/H0NjY2WjJlwy/4OeG/W7ihbKoV4AwAAAAASUVORK5CYII=";

}  // namespace

GADIntrinsicImages& GADIntrinsicImages::sharedInstance() {
    static GADIntrinsicImages* const shared =
        foundation::ProcessState::withReset(new GADIntrinsicImages());
    return *shared;
}

graphics::Image::Ptr GADIntrinsicImages::imageWithBase64EncodedString(const std::string& text,
                                                                      double scale) {
    const auto data = GAD_GTMStringEncoding::rfc4648Base64StringEncoding()->decode(text);
    if (!data) {
        return nullptr;
    }
    graphics::Image::Ptr image = graphics::Image::imageWithData(*data);
    if (!image) {
        return nullptr;
    }
    return graphics::Image::make(image->bitmap(), scale, graphics::ImageOrientation::up);
}

std::string GADIntrinsicImages::chooseImage(const std::string& single,
                                            const std::string& doubleDensity) {
    return GADDevice::currentDevice().screenDensity() == 1.0 ? single : doubleDensity;
}

graphics::Image::Ptr GADIntrinsicImages::builtInImage(const std::string& single,
                                                      const std::string& doubleDensity) {
    const std::string chosen = chooseImage(single, doubleDensity);
    // The scale is the one the chosen text was drawn at, whatever the
    // screen's density, so the image keeps its size in points.
    return imageWithBase64EncodedString(chosen, chosen == single ? 1.0 : 2.0);
}

graphics::Image::Ptr GADIntrinsicImages::once(graphics::Image::Ptr& slot,
                                              const std::function<graphics::Image::Ptr()>& make) {
    std::lock_guard lock(mutex_);
    if (!slot) {
        slot = make();
    }
    return slot;
}

graphics::Image::Ptr GADIntrinsicImages::browserBackButton() {
    return once(back_, [] { return builtInImage(kBackButton, kBackButtonDoubleDensity); });
}

graphics::Image::Ptr GADIntrinsicImages::browserForwardButton() {
    return once(forward_, [] { return builtInImage(kForwardButton, kForwardButtonDoubleDensity); });
}

graphics::Image::Ptr GADIntrinsicImages::closeButton() {
    return once(close_, [] { return builtInImage(kCloseButton, kCloseButtonDoubleDensity); });
}

graphics::Image::Ptr GADIntrinsicImages::transparentImage() {
    return once(transparent_, [] {
        auto context = graphics::BitmapContext::createImageContext(
            {10, 10}, false, GADDevice::currentDevice().screenDensity());
        return context ? context->makeImage() : nullptr;
    });
}

void GADIntrinsicImages::reset() {
    std::lock_guard lock(mutex_);
    back_.reset();
    forward_.reset();
    close_.reset();
    transparent_.reset();
}
