// See Sdf3Check.h.
#include "Sdf3Check.h"

#include "Sdf3BTree.h"
#include "Sdf3Error.h"
#include "Sdf3FeatureRecord.h"
#include "Sdf3RTree.h"

#include <limits>
#include <set>

namespace sdf3 {

namespace {

void CheckValue(const PropertyRecord& p, const uint8_t* data, size_t size, int64_t record, const std::wstring& file) {
    if (size == 0) return;
    bool ok = true;
    if (p.kind == PropertyRecord::Geometric) {
        ok = FgfLength(data, size) != 0;
    } else {
        static const size_t kFixed[] = {1, 1, 0, 8, 8, 2, 4, 8, 4, 0, 0, 0};
        FdoDateTime dt;
        std::wstring text;
        if (p.dataType == FdoDataType_DateTime)
            ok = DecodeDateTime(data, size, dt);
        else if (p.dataType == FdoDataType_String)
            ok = DecodeString(data, size, text);
        else if (kFixed[p.dataType] != 0)
            ok = size == kFixed[p.dataType];
    }
    if (!ok)
        Failf(file, L"the value of '%ls' in record %lld holds %zu bytes that are no value of its type", p.name.c_str(),
              static_cast<long long>(record), size);
}

}  // namespace

size_t CheckFile(Sdf3File& file) {
    const auto& classes = file.Schema().classes;
    std::set<uint32_t> tables;
    size_t features = 0;
    for (size_t id = 0; id < classes.size(); id++) {
        int classId = static_cast<int>(id);
        uint32_t root = file.DataRoot(classId);
        if (auto rtree = file.RTreeRoot(classId); rtree && tables.insert(*rtree).second) {
            RTree index(file.Pages(), *rtree, L"RTREE");
            double box[4];
            index.Bounds(box);
            constexpr double kInf = std::numeric_limits<double>::infinity();
            index.Search(-kInf, -kInf, kInf, kInf);
        }
        if (!tables.insert(root).second) continue;  // a subclass's records sit in its base's table
        BTreeCursor cursor(file.Pages(), root, L"DATA");
        Entry entry;
        FeatureRecord record;
        while (cursor.Next(entry)) {
            int fcid = FeatureRecord::ClassId(entry.payload);
            if (fcid < 0 || static_cast<size_t>(fcid) >= classes.size())
                Failf(file.Name(), L"record %lld has the unknown class id %d", static_cast<long long>(entry.key), fcid);
            std::vector<const PropertyRecord*> props;
            for (int c : file.Lineage(fcid))
                for (const auto& p : classes[static_cast<size_t>(c)].properties) props.push_back(&p);
            record.Parse(&entry.payload, props.size(), entry.key, file.Name(), classes[static_cast<size_t>(fcid)].name);
            for (size_t i = 0; i < props.size(); i++)
                CheckValue(*props[i], record.Data(i), record.Size(i), entry.key, file.Name());
            features++;
        }
    }
    return features;
}

}  // namespace sdf3
