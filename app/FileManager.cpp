#include "app/FileManager.h"

#include <stdexcept>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/ProcessState.h"

std::recursive_mutex& FileManager::classLock() {
    static auto* lock = new std::recursive_mutex;
    return *lock;
}

FileManager*& FileManager::instance() {
    static FileManager* shared = nullptr;
    return shared;
}

FileManager& FileManager::sharedFileManager() {
    std::lock_guard<std::recursive_mutex> guard(classLock());
    if (!instance())
        alloc();
    return *instance();
}

FileManager& FileManager::alloc() {
    std::lock_guard<std::recursive_mutex> guard(classLock());
    if (instance())
        throw std::logic_error("Attempted to allocate a second instance of a singleton.");
    instance() = new FileManager;
    static std::once_flag registered;
    std::call_once(registered, [] {
        foundation::ProcessState::addReset([] {
            std::lock_guard<std::recursive_mutex> guard(classLock());
            delete instance();
            instance() = nullptr;
        });
    });
    return *instance();
}

FileManager::FileManager() {
    const std::string folder = foundation::ApplicationHome::searchPath(
                                   foundation::ApplicationHome::Directory::ApplicationSupport) +
                               "/iPhoneVelnor";
    foundation::FileManager::defaultManager().createDirectory(folder, true);
    qRFile_ = foundation::appendingPathComponent(folder, "qR.png");
}
