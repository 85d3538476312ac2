#include "ads/api/GADAd.h"

#include "ads/foundation/GADApplication.h"

GADAd::GADAd()
    : statistics_(
          GADStatisticDictionary::make(GADApplication::sharedApplication().shared_from_this())) {}
