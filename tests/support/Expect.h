#pragma once

#include <optional>

namespace testsupport {

// The error the call raises, or nothing when it raises none.
template <typename Error, typename Call> std::optional<Error> caught(Call&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e;
    }
    return std::nullopt;
}

} // namespace testsupport
