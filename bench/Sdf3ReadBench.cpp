// Sdf3ReadBench: the read performance test (c_FDO_Api::RunSelectComm, as
// the desktop program runs it) on each genuine SDF 3 sample file and on the
// shape file holding the same features, side by side: features, time per
// run and per feature for both, and their ratio. Run from bench/sdf3_read.sh.
//
//   Sdf3ReadBench <shared data folder> [runs]
#include <Fdo.h>
#include <GeoxferApi/FDO_Api.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Timing {
    long features = 0;
    double secondsPerRun = 0;
};

Timing Measure(FdoString* provider, const std::wstring& connection, FdoString* cls, long runs) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(provider);
    c->SetConnectionString(connection.c_str());
    c->Open();
    Timing t;
    t.features = c_FDO_Api::RunSelectComm(c, cls, nullptr, false, runs, t.secondsPerRun);
    c->Close();
    return t;
}

std::wstring Wide(const std::string& s) { return FdoStringP(s.c_str()).Str(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: Sdf3ReadBench <shared data folder> [runs]\n");
        return 2;
    }
    std::string data = argv[1];
    long runs = argc > 2 ? std::atol(argv[2]) : 200;
    const char* pairs[][2] = {{"Sheboygan_CityLimits.sdf", "CityLimits"},
                              {"Sheboygan_VotingDistricts.sdf", "VotingDistricts"},
                              {"UT_HydrographicPolygons.sdf", "HydrographicPolygons"},
                              {"UT_RoadCenterLines.sdf", "RoadCenterLines"}};
    printf("%-22s %8s %14s %14s %14s %14s %7s\n", "class", "features", "SDF 3 ms/run", "SHP ms/run", "SDF 3 us/feat",
           "SHP us/feat", "ratio");
    try {
        for (auto& [sdf, cls] : pairs) {
            std::wstring name = Wide(cls);
            Timing s = Measure(L"OSGeo.SDF", L"File=" + Wide(data + "/sdf/" + sdf), name.c_str(), runs);
            Timing h = Measure(L"OSGeo.SHP", L"DefaultFileLocation=" + Wide(data + "/shp/Sheboygan/" + cls + ".shp"),
                               name.c_str(), runs);
            double sf = s.features ? s.secondsPerRun * 1e6 / s.features : 0;
            double hf = h.features ? h.secondsPerRun * 1e6 / h.features : 0;
            printf("%-22s %8ld %14.3f %14.3f %14.2f %14.2f %7.2f\n", cls, s.features, s.secondsPerRun * 1e3,
                   h.secondsPerRun * 1e3, sf, hf, hf > 0 ? sf / hf : 0);
            if (s.features != h.features) {
                fprintf(stderr, "%s: %ld features in the SDF 3 file, %ld in the shape file\n", cls, s.features,
                        h.features);
                return 1;
            }
        }
    } catch (FdoException* e) {
        fprintf(stderr, "error: %ls\n", static_cast<FdoString*>(e->ToFullString()));
        e->Release();
        return 1;
    }
    return 0;
}
