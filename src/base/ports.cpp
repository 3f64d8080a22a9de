#include "base/ports.h"

namespace pondaro {

std::tm SystemClock::now() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

} // namespace pondaro
