// See Sdf3RTree.h.
#include "Sdf3RTree.h"

#include "Sdf3BTree.h"
#include "Sdf3Bytes.h"

#include <algorithm>
#include <unordered_set>

namespace sdf3 {

namespace {

constexpr size_t kNodeSize = 1608;
constexpr int32_t kBranches = 40;
constexpr int32_t kMaxLevel = 32;

}  // namespace

int64_t RTree::RootRow() {
    std::vector<uint8_t> bytes;
    if (!FindRow(m_file, m_root, 1, m_table, bytes) || bytes.size() != 4)
        Failf(m_file.Name(), L"%ls has no root node row", m_table.c_str());
    int32_t row;
    std::memcpy(&row, bytes.data(), 4);
    return row;
}

RTree::Node RTree::ReadNode(int64_t row, int32_t expectedLevel) {
    std::vector<uint8_t> bytes;
    if (row <= 1 || !FindRow(m_file, m_root, row, m_table, bytes))
        Failf(m_file.Name(), L"%ls has no node %lld", m_table.c_str(), static_cast<long long>(row));
    if (bytes.size() != kNodeSize)
        Failf(m_file.Name(), L"node %lld of %ls is %zu bytes long, not %zu", static_cast<long long>(row),
              m_table.c_str(), bytes.size(), kNodeSize);
    LittleReader in(bytes.data(), bytes.size(), m_file.Name(), L"a node of " + m_table);
    Node node;
    node.count = in.I32();
    node.level = in.I32();
    if (node.count < 0 || node.count > kBranches || node.level < 0 || node.level > kMaxLevel ||
        (expectedLevel >= 0 && node.level != expectedLevel))
        in.Bad(FdoStringP::Format(L"node %lld has count %d and level %d", static_cast<long long>(row), node.count,
                                  node.level).Str());
    for (int32_t i = 0; i < kBranches; i++) {
        for (double& d : node.boxes[i]) d = in.F64();
        node.children[i] = in.I32();
        in.I32();
    }
    return node;
}

std::vector<int64_t> RTree::Search(double minX, double minY, double maxX, double maxY) {
    std::vector<int64_t> found;
    struct Pending {
        int64_t row;
        int32_t level;  // expected level; -1 for the root
    };
    std::vector<Pending> stack{{RootRow(), -1}};
    std::unordered_set<int64_t> visited;
    while (!stack.empty()) {
        Pending pending = stack.back();
        stack.pop_back();
        if (!visited.insert(pending.row).second)
            Failf(m_file.Name(), L"%ls refers to node %lld twice", m_table.c_str(), static_cast<long long>(pending.row));
        Node node = ReadNode(pending.row, pending.level);
        for (int32_t i = 0; i < kBranches; i++) {
            const double* box = node.boxes[i];
            if (node.children[i] == 0) continue;
            if (box[0] > maxX || box[2] < minX || box[1] > maxY || box[3] < minY) continue;
            if (node.level == 0)
                found.push_back(node.children[i]);
            else
                stack.push_back({node.children[i], node.level - 1});
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

bool RTree::Bounds(double out[4]) {
    Node node = ReadNode(RootRow(), -1);
    bool any = false;
    for (int32_t i = 0; i < kBranches; i++) {
        if (node.children[i] == 0) continue;
        const double* b = node.boxes[i];
        if (!any) {
            std::copy(b, b + 4, out);
            any = true;
            continue;
        }
        out[0] = std::min(out[0], b[0]);
        out[1] = std::min(out[1], b[1]);
        out[2] = std::max(out[2], b[2]);
        out[3] = std::max(out[3], b[3]);
    }
    return any;
}

}  // namespace sdf3
