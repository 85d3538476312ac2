#include "platform/store/FetchedResultsController.h"

#include <algorithm>
#include <map>
#include <set>

namespace store {

namespace {

using Positions = std::map<const ManagedObject*, foundation::IndexPath>;

Positions positionsOf(const std::vector<SectionInfo>& sections) {
    Positions positions;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        for (std::size_t r = 0; r < sections[s].objects.size(); ++r) {
            positions[sections[s].objects[r].get()] =
                foundation::IndexPath{static_cast<int>(s), static_cast<int>(r)};
        }
    }
    return positions;
}

// Marks the members of one longest increasing subsequence of `ranks`: the
// objects that kept their order; the others are the ones that moved.
std::vector<bool> longestIncreasing(const std::vector<std::size_t>& ranks) {
    std::vector<std::size_t> tails;  // index into ranks of the smallest tail per length
    std::vector<std::ptrdiff_t> previous(ranks.size(), -1);
    for (std::size_t i = 0; i < ranks.size(); ++i) {
        auto position =
            std::lower_bound(tails.begin(), tails.end(), ranks[i],
                             [&](std::size_t t, std::size_t r) { return ranks[t] < r; }) -
            tails.begin();
        if (position > 0) {
            previous[i] = static_cast<std::ptrdiff_t>(tails[position - 1]);
        }
        if (static_cast<std::size_t>(position) == tails.size()) {
            tails.push_back(i);
        } else {
            tails[position] = i;
        }
    }
    std::vector<bool> kept(ranks.size(), false);
    for (auto i = tails.empty() ? -1 : static_cast<std::ptrdiff_t>(tails.back()); i >= 0;
         i = previous[i]) {
        kept[i] = true;
    }
    return kept;
}

}  // namespace

FetchedResultsController::FetchedResultsController(FetchRequest request,
                                                   std::shared_ptr<Context> context,
                                                   std::string sectionNameKeyPath,
                                                   std::string cacheName)
    : request_(std::move(request)),
      context_(std::move(context)),
      sectionNameKeyPath_(std::move(sectionNameKeyPath)),
      cacheName_(std::move(cacheName)) {}

FetchedResultsController::~FetchedResultsController() {
    if (context_ && observerToken_) {
        context_->removeObserver(observerToken_);
    }
}

bool FetchedResultsController::performFetch(foundation::Error* error) {
    if (!context_) {
        return false;
    }
    auto objects = context_->executeFetchRequest(request_, error);
    if (!objects) {
        return false;
    }
    objects_ = std::move(*objects);
    sections_ = makeSections(objects_);
    if (!observerToken_) {
        observerToken_ = context_->addObjectsDidChangeObserver(
            [this](Context&, const Context::Changes& changes) { contextDidChange(changes); });
    }
    return true;
}

std::shared_ptr<ManagedObject> FetchedResultsController::objectAtIndexPath(
    const foundation::IndexPath& indexPath) const {
    if (indexPath.section < 0 || indexPath.row < 0 ||
        static_cast<std::size_t>(indexPath.section) >= sections_.size()) {
        return nullptr;
    }
    const auto& objects = sections_[indexPath.section].objects;
    return static_cast<std::size_t>(indexPath.row) < objects.size() ? objects[indexPath.row]
                                                                    : nullptr;
}

std::optional<foundation::IndexPath> FetchedResultsController::indexPathForObject(
    const ManagedObject* object) const {
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const auto& objects = sections_[s].objects;
        for (std::size_t r = 0; r < objects.size(); ++r) {
            if (objects[r].get() == object) {
                return foundation::IndexPath{static_cast<int>(s), static_cast<int>(r)};
            }
        }
    }
    return std::nullopt;
}

bool FetchedResultsController::matches(ManagedObject& object) const {
    return !object.isDeleted() && object.entity() &&
           object.entity()->name() == request_.entityName &&
           object.managedObjectContext() == context_ &&
           (!request_.predicate || request_.predicate(object));
}

void FetchedResultsController::sortObjects(
    std::vector<std::shared_ptr<ManagedObject>>& objects) const {
    std::stable_sort(objects.begin(), objects.end(), [&](const auto& a, const auto& b) {
        for (const auto& descriptor : request_.sortDescriptors) {
            int order = descriptor.compareObjects(*a, *b);
            if (order != 0) {
                return order < 0;
            }
        }
        return false;
    });
}

std::vector<SectionInfo> FetchedResultsController::makeSections(
    const std::vector<std::shared_ptr<ManagedObject>>& objects) const {
    std::vector<SectionInfo> sections;
    if (sectionNameKeyPath_.empty()) {
        sections.push_back(SectionInfo{"", objects});
        return sections;
    }
    for (const auto& object : objects) {
        std::string name = object->primitiveValueForKey(sectionNameKeyPath_).stringValue();
        if (sections.empty() || sections.back().name != name) {
            sections.push_back(SectionInfo{name, {}});
        }
        sections.back().objects.push_back(object);
    }
    return sections;
}

void FetchedResultsController::contextDidChange(const Context::Changes& changes) {
    std::set<const ManagedObject*> deleted;
    for (const auto& object : changes.deleted) {
        deleted.insert(object.get());
    }
    std::set<const ManagedObject*> updated;
    std::vector<std::shared_ptr<ManagedObject>> objects;
    std::set<const ManagedObject*> present;
    for (const auto& object : objects_) {
        if (!deleted.contains(object.get()) && !object->isDeleted()) {
            objects.push_back(object);
            present.insert(object.get());
        }
    }
    for (const auto* list : {&changes.inserted, &changes.updated}) {
        for (const auto& object : *list) {
            if (list == &changes.updated) {
                updated.insert(object.get());
            }
            bool belongs = matches(*object);
            if (belongs && !present.contains(object.get())) {
                objects.push_back(object);
                present.insert(object.get());
            } else if (!belongs && present.contains(object.get())) {
                std::erase(objects, object);
                present.erase(object.get());
            }
        }
    }
    sortObjects(objects);
    if (request_.fetchLimit > 0 && objects.size() > request_.fetchLimit) {
        objects.resize(request_.fetchLimit);
    }
    auto sections = makeSections(objects);

    // Work out what changed before anything is told.
    std::set<std::string> oldNames;
    std::set<std::string> newNames;
    for (const auto& section : sections_) {
        oldNames.insert(section.name);
    }
    for (const auto& section : sections) {
        newNames.insert(section.name);
    }
    struct SectionChange {
        SectionInfo section;
        std::size_t index;
        ChangeType type;
    };
    std::vector<SectionChange> sectionChanges;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (!newNames.contains(sections_[i].name)) {
            sectionChanges.push_back({sections_[i], i, ChangeType::Delete});
        }
    }
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (!oldNames.contains(sections[i].name)) {
            sectionChanges.push_back({sections[i], i, ChangeType::Insert});
        }
    }
    struct ObjectChange {
        std::shared_ptr<ManagedObject> object;
        std::optional<foundation::IndexPath> from;
        ChangeType type;
        std::optional<foundation::IndexPath> to;
    };
    std::vector<ObjectChange> objectChanges;
    Positions before = positionsOf(sections_);
    Positions after = positionsOf(sections);
    // Objects present before and after, in their new order, ranked by their
    // old order: those outside the longest run that kept its order moved.
    std::map<const ManagedObject*, std::size_t> oldRank;
    for (const auto& object : objects_) {
        if (after.contains(object.get())) {
            oldRank.emplace(object.get(), oldRank.size());
        }
    }
    std::vector<const ManagedObject*> keptAfter;
    std::vector<std::size_t> ranks;
    for (const auto& object : objects) {
        if (oldRank.contains(object.get())) {
            keptAfter.push_back(object.get());
            ranks.push_back(oldRank[object.get()]);
        }
    }
    auto inOrder = longestIncreasing(ranks);
    std::set<const ManagedObject*> stayed;
    for (std::size_t i = 0; i < keptAfter.size(); ++i) {
        if (inOrder[i]) {
            stayed.insert(keptAfter[i]);
        }
    }
    auto inChangedSection = [&](const std::string& name) {
        return !oldNames.contains(name) || !newNames.contains(name);
    };
    for (const auto& object : objects_) {
        if (!after.contains(object.get()) &&
            !inChangedSection(sections_[before[object.get()].section].name)) {
            objectChanges.push_back({object, before[object.get()], ChangeType::Delete, {}});
        }
    }
    for (const auto& object : objects) {
        const auto* raw = object.get();
        if (!before.contains(raw)) {
            if (!inChangedSection(sections[after[raw].section].name)) {
                objectChanges.push_back({object, {}, ChangeType::Insert, after[raw]});
            }
            continue;
        }
        if (!updated.contains(raw)) {
            continue;
        }
        bool moved = !stayed.contains(raw) ||
                     sections_[before[raw].section].name != sections[after[raw].section].name;
        objectChanges.push_back({object, before[raw], moved ? ChangeType::Move : ChangeType::Update,
                                 moved ? std::optional(after[raw]) : std::nullopt});
    }

    objects_ = std::move(objects);
    sections_ = std::move(sections);
    auto delegate = delegate_.lock();
    if (!delegate || (sectionChanges.empty() && objectChanges.empty())) {
        return;
    }
    delegate->controllerWillChangeContent(*this);
    for (const auto& change : sectionChanges) {
        delegate->controllerDidChangeSection(*this, change.section, change.index, change.type);
    }
    for (const auto& change : objectChanges) {
        delegate->controllerDidChangeObject(*this, change.object, change.from, change.type,
                                            change.to);
    }
    delegate->controllerDidChangeContent(*this);
}

}  // namespace store
