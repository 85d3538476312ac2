#include "ads/foundation/GADMacros.h"

#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"

namespace {

std::shared_ptr<GADLogChecker>& logChecker() {
    static auto* checker = foundation::ProcessState::withReset(new std::shared_ptr<GADLogChecker>);
    return *checker;
}

}  // namespace

std::optional<std::string> GADMacros::dictionaryToJSONString(
    const std::optional<foundation::Dictionary>& dictionary) {
    if (!dictionary) {
        return std::nullopt;
    }
    return GADJSONAdditions::gad_JSONStringPretty(*dictionary, false).value_or("");
}

std::optional<foundation::Dictionary> GADMacros::readJsonIntoDictionary(std::string_view text) {
    foundation::Error error;
    std::optional<foundation::Value> value =
        GADJSONAdditions::gad_decodedJSONObjectError(text, &error);
    if (!value || !value->isDictionary()) {
        return std::nullopt;
    }
    return *value->asDictionary();
}

void GADMacros::pubLog(const std::string& text) {
    if (std::shared_ptr<GADLogChecker> checker = logChecker()) {
        checker->message(text);
    }
    foundation::Log::write("ads", "<Dezuvo> " + text);
}

void GADMacros::setLogChecker(std::shared_ptr<GADLogChecker> checker) {
    logChecker() = std::move(checker);
}

void GADMacros::runSynchronouslyOnMainThreadWithBlock(const std::function<void()>& block) {
    foundation::DispatchQueue::runOnMainSync(block);
}
