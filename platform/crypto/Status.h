#pragma once

// Outcome of a cipher operation, numbered as the platform's cryptor reports it
// so that callers can pass the code on in their errors unchanged.

#include <cstdint>

namespace crypto {

enum class Status : std::int32_t {
    Success = 0,
    ParamError = -4300,
    BufferTooSmall = -4301,
    MemoryFailure = -4302,
    AlignmentError = -4303,
    DecodeError = -4304,
    Unimplemented = -4305,
};

}  // namespace crypto
