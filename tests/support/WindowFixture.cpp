#include "tests/support/WindowFixture.h"

#include "platform/foundation/RunLoop.h"

namespace testing_support {

void showInKeyWindow(const ui::Window::Ptr& window, const ui::ViewController::Ptr& root) {
    window->setRootViewController(root);
    window->makeKeyAndVisible();
}

void WindowFixture::SetUp() {
    showInKeyWindow(window, root);
}

void WindowFixture::TearDown() {
    settle();
}

void WindowFixture::settle() {
    foundation::RunLoop::main().runUntilIdle();
    clock.advance(1);
    foundation::RunLoop::main().runUntilIdle();
}

}  // namespace testing_support
