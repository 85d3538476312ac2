#include "app/MHAboutViewController2.h"

#include "platform/ui/BarButtonItem.h"
#include "platform/ui/NavigationController.h"

void MHAboutViewController2::viewDidLoad() {
    MHAboutViewController::viewDidLoad();
    std::weak_ptr<MHAboutViewController> weak = weakSelf();
    navigationItem().setLeftBarButtonItem(ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::stop, [weak](ui::BarButtonItem&) {
            if (auto screen = std::static_pointer_cast<MHAboutViewController2>(weak.lock())) {
                screen->doClickBackAction();
            }
        }));
}

void MHAboutViewController2::doClickBackAction() {
    if (auto navigation = navigationController()) {
        navigation->dismissViewController(true);
    }
}
