#include "data/band_lookup.h"

namespace tarvex {

std::optional<double> FirstBandContaining(std::span<const Band> bands, double f) {
    for (const Band& band : bands) {
        if (band.lo <= f && f <= band.hi) {
            return band.value;
        }
    }
    return std::nullopt;
}

} // namespace tarvex
