#pragma once

// Keeps the result of one fetch request in step with its context: the sorted
// objects, grouped into sections by a key, and a delegate told of every
// insert, delete, move and update after the context announces its changes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/IndexPath.h"
#include "platform/store/Context.h"
#include "platform/store/FetchRequest.h"

namespace store {

class FetchedResultsController;

enum class ChangeType { Insert = 1, Delete = 2, Move = 3, Update = 4 };

struct SectionInfo {
    std::string name;
    std::vector<std::shared_ptr<ManagedObject>> objects;

    std::size_t numberOfObjects() const { return objects.size(); }
};

class FetchedResultsControllerDelegate {
  public:
    virtual ~FetchedResultsControllerDelegate() = default;

    virtual void controllerWillChangeContent(FetchedResultsController& controller) {}
    // Insert: `newIndexPath` only; delete: `indexPath` only; move: both
    // (old and new position); update: `indexPath` (position before the change).
    virtual void controllerDidChangeObject(FetchedResultsController& controller,
                                           const std::shared_ptr<ManagedObject>& object,
                                           std::optional<foundation::IndexPath> indexPath,
                                           ChangeType type,
                                           std::optional<foundation::IndexPath> newIndexPath) {}
    virtual void controllerDidChangeSection(FetchedResultsController& controller,
                                            const SectionInfo& section, std::size_t sectionIndex,
                                            ChangeType type) {}
    virtual void controllerDidChangeContent(FetchedResultsController& controller) {}
};

class FetchedResultsController {
  public:
    // Sections are made from the string value of `sectionNameKeyPath` (one
    // section when empty); its sort descriptor must come first. The cache
    // name is kept as a name: results are always read from the context.
    FetchedResultsController(FetchRequest request, std::shared_ptr<Context> context,
                             std::string sectionNameKeyPath = {}, std::string cacheName = {});
    ~FetchedResultsController();
    FetchedResultsController(const FetchedResultsController&) = delete;
    FetchedResultsController& operator=(const FetchedResultsController&) = delete;

    const FetchRequest& fetchRequest() const { return request_; }
    const std::shared_ptr<Context>& managedObjectContext() const { return context_; }
    const std::string& sectionNameKeyPath() const { return sectionNameKeyPath_; }
    const std::string& cacheName() const { return cacheName_; }

    // Held weakly; a delegate that is gone is not called.
    void setDelegate(std::weak_ptr<FetchedResultsControllerDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    bool performFetch(foundation::Error* error);

    const std::vector<std::shared_ptr<ManagedObject>>& fetchedObjects() const { return objects_; }
    const std::vector<SectionInfo>& sections() const { return sections_; }
    // nullptr outside the sections.
    std::shared_ptr<ManagedObject> objectAtIndexPath(const foundation::IndexPath& indexPath) const;
    std::optional<foundation::IndexPath> indexPathForObject(const ManagedObject* object) const;

  private:
    void contextDidChange(const Context::Changes& changes);
    bool matches(ManagedObject& object) const;
    void sortObjects(std::vector<std::shared_ptr<ManagedObject>>& objects) const;
    std::vector<SectionInfo> makeSections(
        const std::vector<std::shared_ptr<ManagedObject>>& objects) const;

    FetchRequest request_;
    std::shared_ptr<Context> context_;
    std::string sectionNameKeyPath_;
    std::string cacheName_;
    std::weak_ptr<FetchedResultsControllerDelegate> delegate_;
    std::vector<std::shared_ptr<ManagedObject>> objects_;
    std::vector<SectionInfo> sections_;
    std::uint64_t observerToken_ = 0;
};

}  // namespace store
