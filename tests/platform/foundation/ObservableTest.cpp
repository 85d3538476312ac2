#include "platform/foundation/Observable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace foundation {
namespace {

// A label-like object publishing "text" and "hidden".
class Label : public Observable {
  public:
    void setText(std::string text) { setValueForKey("text", text_, std::move(text)); }
    void setHidden(bool hidden) { setValueForKey("hidden", hidden_, hidden); }
    // Two properties changed as one step, as a layout pass would.
    void reset() {
        willChangeValueForKey("text");
        willChangeValueForKey("text");
        text_ = "inner";
        didChangeValueForKey("text");
        text_ = "";
        didChangeValueForKey("text");
    }
    Value valueForKey(std::string_view key) const override {
        if (key == "text") {
            return text_;
        }
        if (key == "hidden") {
            return hidden_;
        }
        return Observable::valueForKey(key);
    }

  private:
    std::string text_ = "start";
    bool hidden_ = false;
};

struct Watcher {
    std::vector<std::string> changes;
    Observable::Callback record() {
        return [this](const KeyValueChange& c) {
            changes.push_back(c.key + ":" + c.oldValue.description() + "->" +
                              c.newValue.description());
        };
    }
};

TEST(ObservableTest, ObserversHearOldAndNewValuesOfTheirKey) {
    auto label = std::make_shared<Label>();
    auto watcher = std::make_shared<Watcher>();
    label->addObserver(watcher, "text", watcher->record());
    label->setText("hello");
    label->setHidden(true);  // not observed
    label->setText("hello");
    label->reset();
    EXPECT_EQ(watcher->changes,
              (std::vector<std::string>{"text:start->hello", "text:hello->hello",
                                        "text:hello->inner", "text:hello->\"\""}));
}

TEST(ObservableTest, RegisteringTwiceIsOneRegistration) {
    auto label = std::make_shared<Label>();
    auto watcher = std::make_shared<Watcher>();
    int replaced = 0;
    label->addObserver(watcher, "text", [&](const KeyValueChange&) { ++replaced; });
    label->addObserver(watcher, "text", watcher->record());
    EXPECT_EQ(label->observerCount("text"), 1u);
    label->setText("x");
    EXPECT_EQ(replaced, 0);
    EXPECT_EQ(watcher->changes.size(), 1u);

    label->removeObserver(watcher.get(), "text");
    label->setText("y");
    EXPECT_EQ(watcher->changes.size(), 1u);
}

TEST(ObservableTest, EitherSideMayGoFirst) {
    auto label = std::make_shared<Label>();
    auto watcher = std::make_shared<Watcher>();
    label->addObserver(watcher, "text", watcher->record());
    label->addObserver(watcher, "hidden", watcher->record());
    watcher.reset();
    label->setText("nobody listens");  // the gone observer is dropped, not called
    EXPECT_EQ(label->observerCount("text"), 0u);

    // The observer keeps the observed object weakly and removes itself if it is still there.
    auto survivor = std::make_shared<Watcher>();
    std::weak_ptr<Label> observed = label;
    label->addObserver(survivor, "hidden", survivor->record());
    label.reset();
    if (auto still = observed.lock()) {
        still->removeObserver(survivor.get());
    }
    EXPECT_TRUE(observed.expired());
}

TEST(ObservableTest, AnObserverMayRemoveItselfOrOthersDuringDelivery) {
    auto label = std::make_shared<Label>();
    auto first = std::make_shared<Watcher>();
    auto second = std::make_shared<Watcher>();
    label->addObserver(first, "text", [&](const KeyValueChange&) {
        first->changes.push_back("first");
        label->removeObserver(first.get());
        label->removeObserver(second.get());
    });
    label->addObserver(second, "text", second->record());
    label->setText("a");
    label->setText("b");
    EXPECT_EQ(first->changes, std::vector<std::string>{"first"});
    EXPECT_TRUE(second->changes.empty());
}

}  // namespace
}  // namespace foundation
