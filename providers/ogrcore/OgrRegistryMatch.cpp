// See OgrRegistryMatch.h.
#include <ogrcore/OgrRegistryMatch.h>

#include <cpl_conv.h>

namespace ogrcore {

OGRSpatialReferenceH RegistryMatch(OGRSpatialReferenceH srs, int minConfidence) {
    int count = 0;
    int* confidence = nullptr;
    OGRSpatialReferenceH* matches = OSRFindMatches(srs, nullptr, &count, &confidence);
    OGRSpatialReferenceH best = nullptr;
    if (matches && count > 0 && confidence[0] >= minConfidence && (count == 1 || confidence[1] < confidence[0]))
        best = OSRClone(matches[0]);
    OSRFreeSRSArray(matches);
    CPLFree(confidence);
    return best;
}

}  // namespace ogrcore
