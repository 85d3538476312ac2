#pragma once

// Where a cached image was found.
enum class SDImageCacheSource { none = 0, disk = 1, memory = 2 };
