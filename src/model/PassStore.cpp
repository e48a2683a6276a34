// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PassStore.h"

namespace brevanto::model {

bool PassStore::Reserve(int64_t bytes) {
    int64_t left = bytesLeft.load(std::memory_order_relaxed);
    while (left >= bytes)
        if (bytesLeft.compare_exchange_weak(left, left - bytes, std::memory_order_relaxed)) return true;
    return false;
}

}  // namespace brevanto::model
